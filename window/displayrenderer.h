// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QSize>
#include <QStaticText>
#include <QString>

#include <optional>
#include <vector>

// Composes a calculator's display into one off-screen picture: a vertical
// gradient with a border, the current number in large type at the top right,
// and a status line at the bottom (entry mode and angle mode on the left, the
// flag text on the right). The picture is kept from redraw to redraw and made
// anew only when the width or the device pixel ratio changes; a change of
// height alone keeps the old picture, whose own height the gradient follows.
//
// Coordinates are logical pixels, and so are type sizes: a point here is one
// logical pixel, the unit of the calculator window's whole layout, so that
// 24-point digits and the 12-point status line share the 40-pixel display as
// designed. The picture is made at the device pixel ratio it is given, so the
// display stays sharp on high-density screens.
class DisplayRenderer
{
public:
    // What the display shows; read afresh on every redraw.
    struct Content
    {
        QString presentedNumber; // the current number as the display base presents it
        QString flag; // the short status text on the right
        QString rpnNote; // "[Infix]" or "[RPN]  "
        QString angleMode; // the angle-mode popup's text, e.g. "Radians"

        bool operator==(const Content &) const = default;
    };

    static constexpr int kLargestNumberPointSize = 24;
    // The shrinking of a wide number stops here, so that it always ends.
    static constexpr int kSmallestNumberPointSize = 1;
    static constexpr int kStatusPointSize = 12;

    DisplayRenderer();

    // Redraws the whole picture for a canvas of the given logical size.
    // Returns the picture, which stays valid until the next call.
    const QImage &Compose(const Content &content, QSize canvasSize, qreal devicePixelRatio);

    // The last composed picture (null before the first Compose).
    const QImage &currentState() const { return picture; }
    // The point size at which the current number was last drawn.
    int numberPointSize() const { return lastNumberPointSize; }

    // The face for the current number (the system font) at a point size, and
    // the monospaced face of the status line at its size.
    const QFont &numberFont(int pointSize) const;
    const QFont &statusFont() const { return statusFace; }

    // The status line's left text: the entry-mode note, a blank and the
    // angle mode in brackets.
    static QString StatusText(const QString &rpnNote, const QString &angleMode);

private:
    void makePicture(QSize canvasSize, qreal devicePixelRatio);
    static void drawBackground(QImage &image, QSize size);
    const QFontMetricsF &numberMetricsAt(int pointSize);
    qreal textWidth(const QString &text, int pointSize);
    void drawNumber(QPainter &painter, const QString &text);
    void drawStatusLine(QPainter &painter, const Content &content);

    QImage picture; // currentState
    QSize pictureSize; // its size in logical pixels
    QImage background; // gradient and border at the picture's size
    Content composed; // the values currentState was last composed from
    int lastNumberPointSize = kLargestNumberPointSize;

    // Fonts and their metrics are made once; the metrics follow the
    // picture's resolution and are renewed with it.
    std::vector<QFont> numberFaces; // index = point size - kSmallestNumberPointSize
    std::vector<std::optional<QFontMetricsF>> numberMetrics;
    QFont statusFace;
    std::optional<QFontMetricsF> statusMetrics;

    // The status texts seldom change: their laid-out glyphs are kept.
    QStaticText statusLeft;
    QStaticText statusFlag;
};
