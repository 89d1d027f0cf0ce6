// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QIconEngine>

#include <functional>
#include <optional>

// An icon that is made only when it is first drawn or measured. Making some
// icons costs far more than holding them: a PNG read by file name makes Qt
// load every image-format plug-in it has (with their libraries) to ask each
// whether it reads PNG. Icons that are made early but seldom shown, such as
// the menu bar's overflow arrow, are handed out with this engine and made on
// first use. Every question about the icon is then answered by the icon
// made, so it looks and measures exactly as that icon does.
class DeferredIconEngine : public QIconEngine
{
public:
    using Maker = std::function<QIcon()>;

    explicit DeferredIconEngine(Maker maker);

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
    void addPixmap(const QPixmap &pixmap, QIcon::Mode mode, QIcon::State state) override;
    void addFile(const QString &fileName, const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QString key() const override;
    QIconEngine *clone() const override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QString iconName() override;
    // False until the icon is made: a menu bar asks whether its overflow
    // arrow is null when it is built, so asking must not make the icon, and
    // the standard icons deferred here are not null.
    bool isNull() override;

private:
    QIcon &icon();

    Maker maker;
    std::optional<QIcon> made;
};
