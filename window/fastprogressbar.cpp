// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/fastprogressbar.h"

#include <QPainter>

#include <cmath>

namespace {

// How much of the highlight colour goes into the bar's pale background.
constexpr double kTingeShare = 0.25;

} // namespace

FastProgressBar::FastProgressBar(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int FastProgressBar::filledWidth(int w) const
{
    if (maximum == minimum)
        return value >= minimum ? w : 0;
    // The fraction is computed in double precision and kept as a single
    // float; the width is then truncated toward zero.
    const float fraction = static_cast<float>(
        (static_cast<double>(value) - minimum) / (static_cast<double>(maximum) - minimum));
    const double filled = std::trunc(w * static_cast<double>(fraction));
    // Beyond the edges nothing more is visible: keep the number drawable.
    if (filled <= 0)
        return 0;
    return filled >= w ? w : static_cast<int>(filled);
}

QColor FastProgressBar::tingeColour() const
{
    const QColor base = palette().color(QPalette::Base);
    const QColor highlight = palette().color(QPalette::Highlight);
    const auto mix
        = [](int under, int over) { return static_cast<int>(under + (over - under) * kTingeShare); };
    return QColor(mix(base.red(), highlight.red()), mix(base.green(), highlight.green()),
        mix(base.blue(), highlight.blue()));
}

void FastProgressBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), tingeColour());
    painter.fillRect(QRect(0, 0, filledWidth(width()), height()), palette().color(QPalette::Highlight));
}
