// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/deferrediconengine.h"

#include <utility>

DeferredIconEngine::DeferredIconEngine(Maker maker)
    : maker(std::move(maker))
{ }

QIcon &DeferredIconEngine::icon()
{
    if (!made)
        made = maker();
    return *made;
}

void DeferredIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state)
{
    // QIcon::paint has already fitted rect to actualSize(), so centring it
    // again changes nothing.
    icon().paint(painter, rect, Qt::AlignCenter, mode, state);
}

QSize DeferredIconEngine::actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return icon().actualSize(size, mode, state);
}

QPixmap DeferredIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    // A device pixel ratio of 1 asks the made icon's engine for exactly size.
    return icon().pixmap(size, 1.0, mode, state);
}

QPixmap DeferredIconEngine::scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale)
{
    // size is in device pixels already: the made icon scales it back up.
    return icon().pixmap(size / scale, scale, mode, state);
}

void DeferredIconEngine::addPixmap(const QPixmap &pixmap, QIcon::Mode mode, QIcon::State state)
{
    icon().addPixmap(pixmap, mode, state);
}

void DeferredIconEngine::addFile(
    const QString &fileName, const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    icon().addFile(fileName, size, mode, state);
}

QString DeferredIconEngine::key() const
{
    return QStringLiteral("DeferredIconEngine");
}

QIconEngine *DeferredIconEngine::clone() const
{
    return new DeferredIconEngine(*this);
}

QList<QSize> DeferredIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state)
{
    return icon().availableSizes(mode, state);
}

QString DeferredIconEngine::iconName()
{
    return icon().name();
}

bool DeferredIconEngine::isNull()
{
    return made && made->isNull();
}
