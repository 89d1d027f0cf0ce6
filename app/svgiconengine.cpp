// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/svgiconengine.h"

#include <QApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

#include <optional>

namespace {

quint64 keyOf(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return quint64(quint32(size.width())) << 32 | quint64(quint16(size.height())) << 16 | quint64(mode) << 8
        | quint64(state);
}

} // namespace

struct SvgIconEngine::Drawing
{
    QString fileName;
    std::optional<QSvgRenderer> renderer; // read on first use
    // The pictures drawn so far, by size, mode and state (see keyOf).
    QHash<quint64, QPixmap> pictures;

    QSvgRenderer &read()
    {
        if (!renderer)
            renderer.emplace(fileName);
        return *renderer;
    }
};

SvgIconEngine::SvgIconEngine(const QString &fileName)
    : drawing(std::make_shared<Drawing>())
{
    drawing->fileName = fileName;
}

SvgIconEngine::~SvgIconEngine() = default;

QSize SvgIconEngine::actualSize(const QSize &size, QIcon::Mode, QIcon::State)
{
    QSvgRenderer &renderer = drawing->read();
    if (!renderer.isValid())
        return {};
    QSize fitted = renderer.defaultSize();
    if (!fitted.isNull())
        fitted.scale(size, Qt::KeepAspectRatio);
    return fitted;
}

QPixmap SvgIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    const quint64 key = keyOf(size, mode, state);
    if (const auto found = drawing->pictures.constFind(key); found != drawing->pictures.cend())
        return *found;
    const QSize fitted = actualSize(size, mode, state);
    if (fitted.isEmpty())
        return {};
    QImage image(fitted, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    drawing->read().render(&painter);
    painter.end();
    QPixmap picture = QPixmap::fromImage(image);
    // The style draws the disabled, active and selected looks (the normal
    // one it leaves as it is), as for every other icon.
    if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
        QStyleOption option;
        option.palette = QGuiApplication::palette();
        const QPixmap styled = QApplication::style()->generatedIconPixmap(mode, picture, &option);
        if (!styled.isNull())
            picture = styled;
    }
    drawing->pictures.insert(key, picture);
    return picture;
}

void SvgIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state)
{
    // Drawn at the device's own pixels, so that it stays sharp when scaled.
    QSize pixels = rect.size();
    if (painter->device())
        pixels *= painter->device()->devicePixelRatio();
    painter->drawPixmap(rect, pixmap(pixels, mode, state));
}

QString SvgIconEngine::key() const
{
    return QStringLiteral("SvgIconEngine");
}

QIconEngine *SvgIconEngine::clone() const
{
    return new SvgIconEngine(*this);
}

bool SvgIconEngine::isNull()
{
    return !drawing->read().isValid();
}
