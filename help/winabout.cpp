// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/winabout.h"

#include "help/colourcontrast.h"
#include "help/hyperlinkcontrol.h"

#include <QEvent>
#include <QLabel>

#include <algorithm>

namespace {

const QString productLine = QStringLiteral("Zorvane " ZORVANE_VERSION);
const QString descriptionLine = QStringLiteral("Free software, GPLv3+");
const QString webAddress = QStringLiteral("https://zorvane.org/");
const QString licenceNote = QStringLiteral(
    "Zorvane is free software under the GNU General Public License, version 3 or (at your option) any later "
    "version.");

// The designed look: dark text and a blue link on a light window.
const QColor textColour(0x16, 0x1C, 0x00);
const QColor linkColour(0x00, 0x00, 0xFF);

constexpr int textPointSize = 16;
constexpr int designedWidth = 300;
constexpr int designedHeight = 110;
constexpr int minimumLabelHeight = 20;
constexpr int sideMargin = 10;
// Designed top of each label, from the top of the window down.
constexpr int aboutTop = 14, descriptionTop = 46, weblinkTop = 66;
constexpr int bottomMargin = designedHeight - weblinkTop - minimumLabelHeight;

// The first candidate that is legible on the background, else the last
// one made lighter (on a dark background) or darker until it is legible.
QColor legibleOn(const QColor &background, std::initializer_list<QColor> candidates)
{
    for (const QColor &candidate : candidates) {
        if (ColourContrast::Between(candidate, background) >= ColourContrast::Legible)
            return candidate;
    }
    const QColor last = std::prev(candidates.end())->toHsl();
    const int step = background.lightness() < 128 ? 5 : -5;
    QColor shade = last;
    for (int lightness = last.lightness();
         ColourContrast::Between(shade, background) < ColourContrast::Legible;) {
        lightness = std::clamp(lightness + step, 0, 255);
        shade.setHsl(last.hslHue(), last.hslSaturation(), lightness);
        if (lightness == 0 || lightness == 255)
            break;
    }
    return shade.toRgb();
}

void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace

winAbout *winAbout::SharedInstance()
{
    return Instance<winAbout>();
}

winAbout *winAbout::ShowSharedInstance()
{
    return ShowInstance<winAbout>();
}

winAbout::winAbout()
    : lblAboutText(new QLabel(productLine, this))
    , StaticText1(new QLabel(descriptionLine, this))
    , lblWeblink(new HyperlinkControl(this))
{
    setWindowTitle(QStringLiteral("About Zorvane"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    QFont labelFont = font();
    labelFont.setPointSize(textPointSize);
    labelFont.setBold(true);
    lblAboutText->setObjectName(QStringLiteral("lblAboutText"));
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    StaticText1->setToolTip(licenceNote);
    lblWeblink->setObjectName(QStringLiteral("lblWeblink"));
    lblWeblink->setText(webAddress);
    for (QLabel *label : { lblAboutText, StaticText1, static_cast<QLabel *>(lblWeblink) }) {
        label->setFont(labelFont);
        label->setAlignment(Qt::AlignCenter);
    }

    applyTextColours();
    layOutLabels();
}

// The designed colours where they can be read on the window's background;
// under a dark colour scheme the palette's own text and link colours.
void winAbout::applyTextColours()
{
    const QColor background = palette().color(QPalette::Window);
    const QColor text = palette().color(QPalette::WindowText);
    setTextColour(lblAboutText, legibleOn(background, { textColour, text }));
    setTextColour(StaticText1, legibleOn(background, { textColour, text }));
    // The link stays blue where it can: the palette's link colour, else a
    // lighter blue.
    setTextColour(lblWeblink, legibleOn(background, { linkColour, palette().color(QPalette::Link) }));
}

// The labels keep their designed places and span the window's width. Where
// the font is taller or a text wider than designed (large system fonts),
// the labels grow and the window with them, so nothing is cut off.
void winAbout::layOutLabels()
{
    const struct
    {
        QLabel *label;
        int top;
    } rows[] = { { lblAboutText, aboutTop }, { StaticText1, descriptionTop }, { lblWeblink, weblinkTop } };

    int width = designedWidth;
    for (const auto &row : rows)
        width = std::max(width, row.label->sizeHint().width() + 2 * sideMargin);

    int bottom = 0;
    for (const auto &row : rows) {
        const int height = std::max(minimumLabelHeight, row.label->sizeHint().height());
        const int top = std::max(row.top, bottom);
        row.label->setGeometry(0, top, width, height);
        bottom = top + height;
    }
    setFixedSize(width, std::max(designedHeight, bottom + bottomMargin));
}

void winAbout::changeEvent(QEvent *event)
{
    SharedWindow::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        applyTextColours();
    else if (event->type() == QEvent::FontChange)
        layOutLabels();
}
