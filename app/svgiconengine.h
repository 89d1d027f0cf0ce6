// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIconEngine>
#include <QString>

#include <memory>

class QSvgRenderer;

// An icon drawn from an SVG file (normally a resource), as Qt's own SVG icon
// engine draws it: the drawing scaled to fit the asked size with its aspect
// kept, on a transparent ground, the style's rendering applied for the
// disabled, active and selected modes. Unlike Qt's engine it reads the file
// only when the icon is first drawn or measured, and reads it once for every
// size rather than once per size; it needs no plug-in to be loaded. Each
// size is drawn once and kept.
class SvgIconEngine : public QIconEngine
{
public:
    explicit SvgIconEngine(const QString &fileName);
    ~SvgIconEngine() override;

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QString key() const override;
    QIconEngine *clone() const override;
    // Null when the file is not a drawing that can be read.
    bool isNull() override;

private:
    struct Drawing;

    // What copies of this engine share: the file, its drawing once read and
    // the pictures drawn from it.
    std::shared_ptr<Drawing> drawing;
};
