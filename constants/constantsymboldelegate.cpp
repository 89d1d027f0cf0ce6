// SPDX-License-Identifier: GPL-3.0-or-later
#include "constants/constantsymboldelegate.h"

#include "constants/constantstable.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>

ConstantSymbolDelegate::ConstantSymbolDelegate(int rowHeight, QObject *parent)
    : QStyledItemDelegate(parent)
    , rowHeight(rowHeight)
{ }

QSize ConstantSymbolDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    return { QStyledItemDelegate::sizeHint(option, index).width(), rowHeight };
}

void ConstantSymbolDelegate::paint(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    // Background, selection and the cell's text first; a row with a picture
    // has no symbol text, so the picture covers nothing.
    QStyledItemDelegate::paint(painter, option, index);
    if (index.column() != 0)
        return;
    QSvgRenderer *picture
        = pictures.Picture(ConstantsTable::PictureFor(index.siblingAtColumn(1).data().toString()));
    if (!picture)
        return;

    const QSize size = picture->defaultSize();
    const int top = static_cast<int>(0.9 * option.rect.height());
    const QPoint at(option.rect.left() + (option.rect.width() - size.width()) / 2,
        option.rect.top() + top - size.height());

    // Render at the device's pixel ratio so the glyphs stay sharp at any
    // scale, then recolour the drawn shape with the text colour.
    const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
        : (option.state & QStyle::State_Active)                                ? QPalette::Active
                                                                               : QPalette::Inactive;
    const QColor colour = option.palette.color(
        group, (option.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text);
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QImage image(QSize(std::ceil(size.width() * ratio), std::ceil(size.height() * ratio)),
        QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter imagePainter(&image);
    picture->render(&imagePainter, QRectF(QPointF(0, 0), QSizeF(size)));
    imagePainter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    imagePainter.fillRect(QRectF(QPointF(0, 0), QSizeF(size)), colour);
    imagePainter.end();
    painter->drawImage(at, image);
}
