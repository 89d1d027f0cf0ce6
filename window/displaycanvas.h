// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/displayrenderer.h"

#include <QWidget>

#include <functional>

// The calculator's display, cnvDisplay. It never draws piece by piece: every
// redraw composes the whole display off screen (DisplayRenderer) from the
// values its window hands over, and a paint copies that picture onto the
// screen in one operation, so the display does not flicker. The colours are
// the display's own and do not follow the palette. Screen readers find the
// presented number as the display's accessible value (DisplayAccessible).
class DisplayCanvas : public QWidget
{
    Q_OBJECT

public:
    using ContentSource = std::function<DisplayRenderer::Content()>;

    explicit DisplayCanvas(QWidget *parent = nullptr);

    // Where the values shown come from; asked on every redraw.
    void setContentSource(ContentSource source);

    // Composes the display from the current values into the picture now
    // (RefreshCurrentState) and schedules its copy to the screen.
    void FlickerFreeRefresh();
    // Composes the display into the picture without touching the screen.
    void RefreshCurrentState();

    // The last composed picture.
    const QImage &currentState() const { return renderer.currentState(); }
    // The number that the last composed picture shows, as presented; also
    // the display's accessible value.
    const QString &presentedNumber() const { return shownNumber; }
    const DisplayRenderer &displayRenderer() const { return renderer; }

    QSize sizeHint() const override;

Q_SIGNALS:
    // A redraw shows a number other than the one before; a screen reader
    // has been told of it with a value-change event.
    void presentedNumberChanged(const QString &number);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    DisplayRenderer renderer;
    ContentSource source;
    QString shownNumber;
};
