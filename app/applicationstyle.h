// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QProxyStyle>

// The application's style: the style it would have anyway, drawing exactly
// as that style does, but without reading any picture by file name before it
// is shown. Qt reads a PNG named by its file by first loading every
// image-format plug-in it has (with their libraries) to ask each whether it
// reads PNG; that alone would cost the first window a noticeable part of
// its start-up. Two pictures are read that way before the first window is
// painted:
// - the overflow arrow that every menu bar asks for when it is built: the
//   standard icons are handed out unmade (DeferredIconEngine) and made when
//   first drawn or measured;
// - the frame of a group box in the Fusion style: drawn here as Fusion draws
//   it, from the same picture read as a PNG directly.
class ApplicationStyle : public QProxyStyle
{
    Q_OBJECT

public:
    // Takes ownership of base, the style to draw with.
    explicit ApplicationStyle(QStyle *base);

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
        const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
        const QWidget *widget = nullptr) const override;

private:
    bool drawFusionGroupBoxFrame(const QStyleOption *option, QPainter *painter, const QWidget *widget) const;

    // Fusion's group-box frame picture, read on first use; null when the
    // base style is not Fusion or the picture cannot be read.
    mutable QPixmap groupBoxFrame;
    mutable bool groupBoxFrameRead = false;
};
