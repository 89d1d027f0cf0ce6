// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/displaycanvas.h"

#include "window/displayaccessible.h"

#include <QAccessible>
#include <QPainter>
#include <QPaintEvent>

DisplayCanvas::DisplayCanvas(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("cnvDisplay"));
    // The picture covers the canvas: nothing needs erasing before a paint.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    // Qt keeps the factory for the whole run; one installation serves every
    // display.
    static const bool accessibleFactoryInstalled = [] {
        QAccessible::installFactory(&DisplayAccessible::Create);
        return true;
    }();
    Q_UNUSED(accessibleFactoryInstalled)
}

void DisplayCanvas::setContentSource(ContentSource newSource)
{
    source = std::move(newSource);
}

QSize DisplayCanvas::sizeHint() const
{
    return { 330, 40 };
}

void DisplayCanvas::RefreshCurrentState()
{
    const DisplayRenderer::Content content = source ? source() : DisplayRenderer::Content {};
    renderer.Compose(content, size(), devicePixelRatio());
    if (content.presentedNumber == shownNumber)
        return;
    shownNumber = content.presentedNumber;
    // Tells a screen reader that the display shows a new number.
    QAccessibleValueChangeEvent event(this, shownNumber);
    QAccessible::updateAccessibility(&event);
    Q_EMIT presentedNumberChanged(shownNumber);
}

void DisplayCanvas::FlickerFreeRefresh()
{
    RefreshCurrentState();
    update();
}

void DisplayCanvas::paintEvent(QPaintEvent *event)
{
    // An exposed canvas redraws from the current values too, so it also shows
    // a change made elsewhere (the shared entry mode) and follows its width.
    RefreshCurrentState();
    QPainter painter(this);
    const QImage &picture = renderer.currentState();
    painter.drawImage(QPoint(0, 0), picture);
    // A canvas taller than its picture (the height alone changed) shows the
    // window's background below it rather than stale pixels.
    const QRegion uncovered
        = QRegion(event->rect()) - QRegion(QRect(QPoint(0, 0), picture.deviceIndependentSize().toSize()));
    for (const QRect &rect : uncovered)
        painter.fillRect(rect, palette().window());
}
