// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/applicationstyle.h"

#include "app/deferrediconengine.h"

#include <qdrawutil.h>
#include <QGroupBox>
#include <QImageReader>
#include <QPointer>
#include <QStyleOption>

#include <algorithm>

namespace {

// What Fusion (Qt 6) draws a group-box frame with: a picture among Qt's own
// resources, stretched between fixed borders of 6 pixels, starting 3 pixels
// below the frame's top, or below the title line for a titled or checkable
// box.
const QString FusionGroupBoxPicture
    = QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png");
constexpr QMargins FusionGroupBoxBorders(6, 6, 6, 6);
constexpr int FusionGroupBoxTopMargin = 3;

} // namespace

ApplicationStyle::ApplicationStyle(QStyle *base)
    : QProxyStyle(base)
{ }

QIcon ApplicationStyle::standardIcon(
    StandardPixmap standardIcon, const QStyleOption *option, const QWidget *widget) const
{
    // An option lives only as long as the call: an icon asked for with one
    // is made at once.
    if (option)
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    // The widget may be gone by the time the icon is first drawn; the icon
    // is then made as for no particular widget.
    const QPointer<const QStyle> base(baseStyle());
    const QPointer<const QWidget> asker(widget);
    return QIcon(new DeferredIconEngine([base, asker, standardIcon] {
        return base ? base->standardIcon(standardIcon, nullptr, asker.data()) : QIcon();
    }));
}

void ApplicationStyle::drawPrimitive(
    PrimitiveElement element, const QStyleOption *option, QPainter *painter, const QWidget *widget) const
{
    if (element == PE_FrameGroupBox && drawFusionGroupBoxFrame(option, painter, widget))
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

bool ApplicationStyle::drawFusionGroupBoxFrame(
    const QStyleOption *option, QPainter *painter, const QWidget *widget) const
{
    if (!groupBoxFrameRead) {
        groupBoxFrameRead = true;
        // Fusion itself, not a style derived from it that may draw otherwise.
        if (qstrcmp(baseStyle()->metaObject()->className(), "QFusionStyle") == 0) {
            // Read as PNG, no format guessed: no plug-in is asked.
            QImageReader reader(FusionGroupBoxPicture, "png");
            reader.setAutoDetectImageFormat(false);
            groupBoxFrame = QPixmap::fromImage(reader.read());
        }
    }
    if (groupBoxFrame.isNull())
        return false;
    const auto *box = qobject_cast<const QGroupBox *>(widget);
    const int titleHeight
        = std::max(baseStyle()->pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height());
    const int top = box && !box->isCheckable() && box->title().isEmpty()
        ? FusionGroupBoxTopMargin
        : titleHeight + FusionGroupBoxTopMargin;
    qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0), FusionGroupBoxBorders, groupBoxFrame);
    return true;
}
