// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "constants/constantpictures.h"

#include <QStyledItemDelegate>

// Draws the constants list's rows at a fixed row height and, in the symbol
// column, the picture of a constant whose symbol is a picture: centred in the
// column with its bottom edge at 90 % of the row height. The picture is found
// by the row's description (column 1), so it follows the row through any
// sorting. It is drawn in the palette's text colour (the highlighted-text
// colour on a selected row), so it reads on light and dark palettes alike.
class ConstantSymbolDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    ConstantSymbolDelegate(int rowHeight, QObject *parent);

    void paint(
        QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    int rowHeight;
    // Loading a picture on first use changes nothing that paint() promises
    // to keep.
    mutable ConstantPictures pictures;
};
