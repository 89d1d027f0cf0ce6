// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/winpreferences.h"

#include "app/preferences.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>

#include <algorithm>
#include <cmath>

namespace {

// Positions are in logical pixels of the window's content; the transparency
// controls are given in window coordinates and placed inside their group.
const QRect kWindow(0, 0, 272, 201);
const QRect kGroup(20, 14, 232, 115);
const QRect kOn(36, 44, 50, 20);
const QRect kOff(96, 44, 50, 20);
const QRect kSlider(36, 76, 200, 16);
const QRect kOpaqueLabel(36, 100, 50, 12);
const QRect kInvisibleLabel(186, 100, 50, 12);
const QRect kSpeakResults(20, 141, 150, 20);
const QRect kSpeakKeypresses(20, 161, 150, 20);
constexpr int kSmallTextSize = 9;
constexpr int kSliderPageStep = 20;

QRect inGroup(const QRect &rect)
{
    return rect.translated(-kGroup.topLeft());
}

// Slider position 0 ("Opaque") is alpha 1.0 and 100 ("Invisible") is 0.0:
// alpha = 1 - position/100. Reading back, 100 * (1 - alpha) is computed in
// double precision from the single-precision alpha and truncated, so 0.7f
// (a little below 0.7) shows as 30. An alpha outside 0..1, or not a number,
// from a damaged file shows at the nearest end (opaque for NaN).
int sliderPosition(float alpha)
{
    const double position = 100.0 * (1.0 - static_cast<double>(alpha));
    if (std::isnan(position))
        return 0;
    return static_cast<int>(std::trunc(std::clamp(position, 0.0, 100.0)));
}

// A check box gets at least its designed width, and more where the system
// font needs it to show the whole caption, up to a right margin as wide as
// the left one.
void placeCheckBox(QCheckBox *box, const QRect &geometry)
{
    const int roomToTheMargin = kWindow.width() - 2 * geometry.left();
    QRect placed = geometry;
    placed.setWidth(std::clamp(box->sizeHint().width(), geometry.width(), roomToTheMargin));
    box->setGeometry(placed);
}

QLabel *smallLabel(const QString &text, const char *name, const QRect &geometry, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(inGroup(geometry));
    QFont font = label->font();
    font.setPixelSize(kSmallTextSize);
    label->setFont(font);
    return label;
}

} // namespace

winPreferences::winPreferences(Preferences &preferences, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , preferences(preferences)
{
    setObjectName(QStringLiteral("winPreferences"));
    setWindowTitle(QStringLiteral("Preferences"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kWindow.size());

    auto *group = new QGroupBox(QStringLiteral("Window transparency"), this);
    group->setObjectName(QStringLiteral("grpWindowTransparency"));
    group->setGeometry(kGroup);

    radWindowTransparencyOn = new QRadioButton(QStringLiteral("On"), group);
    radWindowTransparencyOn->setObjectName(QStringLiteral("radWindowTransparencyOn"));
    radWindowTransparencyOn->setGeometry(inGroup(kOn));
    radWindowTransparencyOff = new QRadioButton(QStringLiteral("Off"), group);
    radWindowTransparencyOff->setObjectName(QStringLiteral("radWindowTransparencyOff"));
    radWindowTransparencyOff->setGeometry(inGroup(kOff));
    radWindowTransparencyOff->setChecked(true);

    sliWindowTransparency = new QSlider(Qt::Horizontal, group);
    sliWindowTransparency->setObjectName(QStringLiteral("sliWindowTransparency"));
    sliWindowTransparency->setGeometry(inGroup(kSlider));
    sliWindowTransparency->setRange(0, 100);
    sliWindowTransparency->setSingleStep(1);
    sliWindowTransparency->setPageStep(kSliderPageStep);

    smallLabel(QStringLiteral("Opaque"), "lblOpaqueLabel", kOpaqueLabel, group);
    smallLabel(QStringLiteral("Invisible"), "lblInvisibleLabel", kInvisibleLabel, group)
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    chkSpeakResults = new QCheckBox(QStringLiteral("Speak results"), this);
    chkSpeakResults->setObjectName(QStringLiteral("chkSpeakResults"));
    placeCheckBox(chkSpeakResults, kSpeakResults);
    chkSpeakKeypresses = new QCheckBox(QStringLiteral("Speak everything else"), this);
    chkSpeakKeypresses->setObjectName(QStringLiteral("chkSpeakKeypresses"));
    placeCheckBox(chkSpeakKeypresses, kSpeakKeypresses);

    Open();

    // Connected only now, so that showing the settings changes none of them.
    connect(radWindowTransparencyOn, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            radWindowTransparencyOn_Action();
        else
            radWindowTransparencyOff_Action();
    });
    connect(sliWindowTransparency, &QSlider::valueChanged, this,
        &winPreferences::sliWindowTransparency_ValueChanged);
    connect(
        chkSpeakResults, &QCheckBox::toggled, this, [this](bool on) { this->preferences.speakResults = on; });
    connect(chkSpeakKeypresses, &QCheckBox::toggled, this,
        [this](bool on) { this->preferences.speakEverythingElse = on; });
}

winPreferences *winPreferences::SharedInstance(Preferences &preferences)
{
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows)
        if (auto *open = qobject_cast<winPreferences *>(window); open && !open->closing)
            return open;
    return new winPreferences(preferences);
}

void winPreferences::Open()
{
    (preferences.windowAlphaUsed ? radWindowTransparencyOn : radWindowTransparencyOff)->setChecked(true);
    sliWindowTransparency->setValue(sliderPosition(preferences.windowAlpha));
    chkSpeakKeypresses->setChecked(preferences.speakEverythingElse);
    chkSpeakResults->setChecked(preferences.speakResults);
    // The slider works only while transparency is on; off, it still shows
    // the stored position.
    sliWindowTransparency->setEnabled(preferences.windowAlphaUsed);
}

void winPreferences::radWindowTransparencyOn_Action()
{
    preferences.windowAlphaUsed = true;
    sliWindowTransparency->setEnabled(true);
    Q_EMIT transparencyChanged();
}

void winPreferences::radWindowTransparencyOff_Action()
{
    preferences.windowAlphaUsed = false;
    sliWindowTransparency->setEnabled(false);
    Q_EMIT transparencyChanged();
}

void winPreferences::sliWindowTransparency_ValueChanged(int position)
{
    preferences.windowAlpha = static_cast<float>(1.0 - position / 100.0);
    Q_EMIT transparencyChanged();
}

bool winPreferences::FileCloseCalculator_Action()
{
    close();
    return true;
}

void winPreferences::closeEvent(QCloseEvent *event)
{
    closing = true;
    event->accept();
}
