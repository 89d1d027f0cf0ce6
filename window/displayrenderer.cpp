// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/displayrenderer.h"

#include <QColor>
#include <QFontDatabase>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// The gradient runs from the top row's colour to the bottom row's; the border
// is their mean, each component truncated.
constexpr int kTopRed = 251, kTopGreen = 255, kTopBlue = 222;
constexpr int kBottomRed = 204, kBottomGreen = 214, kBottomBlue = 172;
const QColor kBorder(
    (kTopRed + kBottomRed) / 2, (kTopGreen + kBottomGreen) / 2, (kTopBlue + kBottomBlue) / 2);

// Distances in logical pixels.
constexpr int kNumberRightMargin = 5;
constexpr int kNumberRoom = 20; // the number must be narrower than the width less this
constexpr int kStatusLeft = 6;
constexpr int kStatusRightMargin = 5;
constexpr int kStatusBottomGap = 2; // between the descenders and the bottom edge

// Row i of H: each component falls linearly, top - (top - bottom) * i / H in
// real division, truncated toward zero.
int gradientComponent(int top, int bottom, int i, int height)
{
    return static_cast<int>(top - static_cast<double>(top - bottom) * i / height);
}

QColor gradientColour(int i, int height)
{
    return QColor(gradientComponent(kTopRed, kBottomRed, i, height),
        gradientComponent(kTopGreen, kBottomGreen, i, height),
        gradientComponent(kTopBlue, kBottomBlue, i, height));
}

} // namespace

DisplayRenderer::DisplayRenderer()
    : statusFace(QFontDatabase::systemFont(QFontDatabase::FixedFont))
{
    const QFont system = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    for (int size = kSmallestNumberPointSize; size <= kLargestNumberPointSize; ++size) {
        QFont face = system;
        face.setPixelSize(size);
        numberFaces.push_back(face);
    }
    numberMetrics.resize(numberFaces.size());
    statusFace.setPixelSize(kStatusPointSize);
    statusLeft.setTextFormat(Qt::PlainText);
    statusFlag.setTextFormat(Qt::PlainText);
    statusLeft.setPerformanceHint(QStaticText::AggressiveCaching);
    statusFlag.setPerformanceHint(QStaticText::AggressiveCaching);
}

const QFont &DisplayRenderer::numberFont(int pointSize) const
{
    return numberFaces[static_cast<std::size_t>(pointSize - kSmallestNumberPointSize)];
}

QString DisplayRenderer::StatusText(const QString &rpnNote, const QString &angleMode)
{
    return rpnNote + QStringLiteral(" [") + angleMode + QLatin1Char(']');
}

void DisplayRenderer::makePicture(QSize canvasSize, qreal devicePixelRatio)
{
    const QSize pixels(static_cast<int>(std::ceil(canvasSize.width() * devicePixelRatio)),
        static_cast<int>(std::ceil(canvasSize.height() * devicePixelRatio)));
    picture = QImage(pixels, QImage::Format_RGB32);
    pictureSize = canvasSize;
    picture.setDevicePixelRatio(devicePixelRatio);
    background = QImage(pixels, QImage::Format_RGB32);
    background.setDevicePixelRatio(devicePixelRatio);
    drawBackground(background, canvasSize);
    // Text is measured on the picture itself, so that widths match what is drawn.
    for (auto &metrics : numberMetrics)
        metrics.reset();
    statusMetrics.emplace(statusFace, &picture);
}

const QImage &DisplayRenderer::Compose(const Content &content, QSize canvasSize, qreal devicePixelRatio)
{
    if (picture.isNull() || pictureSize.width() != canvasSize.width()
        || picture.devicePixelRatio() != devicePixelRatio) {
        if (canvasSize.isEmpty()) {
            // Nothing to draw on: a canvas without area shows nothing.
            picture = QImage();
            background = QImage();
            pictureSize = QSize();
            return picture;
        }
        makePicture(canvasSize, devicePixelRatio);
    } else if (content == composed) {
        // The same values on the same picture give the same pixels: a key
        // redraws through the engine and again in the canvas's paint event.
        return picture;
    }
    composed = content;

    // The background depends only on the picture's size: it is drawn once with
    // the picture and copied under every redraw.
    std::memcpy(picture.bits(), background.constBits(), static_cast<std::size_t>(background.sizeInBytes()));
    QPainter painter(&picture);
    painter.setPen(Qt::black);
    drawNumber(painter, content.presentedNumber);
    drawStatusLine(painter, content);
    return picture;
}

void DisplayRenderer::drawBackground(QImage &image, QSize size)
{
    const int width = size.width();
    const int height = size.height();
    QPainter painter(&image);
    for (int i = 0; i <= height; ++i)
        painter.fillRect(QRect(0, i, width + 1, 1), gradientColour(i, height));
    // A one-pixel outline of the rectangle 0, 0, W, H.
    painter.fillRect(QRect(0, 0, width, 1), kBorder);
    painter.fillRect(QRect(0, height - 1, width, 1), kBorder);
    painter.fillRect(QRect(0, 0, 1, height), kBorder);
    painter.fillRect(QRect(width - 1, 0, 1, height), kBorder);
}

const QFontMetricsF &DisplayRenderer::numberMetricsAt(int pointSize)
{
    auto &slot = numberMetrics[static_cast<std::size_t>(pointSize - kSmallestNumberPointSize)];
    if (!slot)
        slot.emplace(numberFont(pointSize), &picture);
    return *slot;
}

qreal DisplayRenderer::textWidth(const QString &text, int pointSize)
{
    return numberMetricsAt(pointSize).horizontalAdvance(text);
}

void DisplayRenderer::drawNumber(QPainter &painter, const QString &text)
{
    // The size is the largest from 24 down at which the text is narrower than
    // the room. Widths grow with the size, nearly in proportion, so the search
    // starts at the proportional guess and walks from there instead of
    // measuring a long text at every size from the top.
    const qreal room = pictureSize.width() - kNumberRoom;
    int size = kLargestNumberPointSize;
    qreal width = textWidth(text, size);
    if (width >= room) {
        const int guess = room > 0 ? static_cast<int>(size * room / width) : kSmallestNumberPointSize;
        size = std::clamp(guess, kSmallestNumberPointSize, kLargestNumberPointSize - 1);
        width = textWidth(text, size);
        while (width >= room && size > kSmallestNumberPointSize)
            width = textWidth(text, --size);
        while (size + 1 < kLargestNumberPointSize && width < room) {
            const qreal larger = textWidth(text, size + 1);
            if (larger >= room)
                break;
            width = larger;
            ++size;
        }
    }
    lastNumberPointSize = size;
    painter.setFont(numberFont(size));
    // Right-aligned, the baseline at the ascent so that the text touches the top.
    painter.drawText(
        QPointF(pictureSize.width() - width - kNumberRightMargin, numberMetricsAt(size).ascent()), text);
}

void DisplayRenderer::drawStatusLine(QPainter &painter, const Content &content)
{
    const qreal baseline = pictureSize.height() - statusMetrics->descent() - kStatusBottomGap;
    // QStaticText is placed by the top of its line, one ascent above the baseline.
    const qreal top = baseline - statusMetrics->ascent();
    painter.setFont(statusFace);

    if (!content.flag.isEmpty()) {
        if (statusFlag.text() != content.flag)
            statusFlag.setText(content.flag);
        const qreal width = statusMetrics->horizontalAdvance(content.flag);
        painter.drawStaticText(QPointF(pictureSize.width() - width - kStatusRightMargin, top), statusFlag);
    }

    const QString left = StatusText(content.rpnNote, content.angleMode);
    if (statusLeft.text() != left)
        statusLeft.setText(left);
    painter.drawStaticText(QPointF(kStatusLeft, top), statusLeft);
}
