// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

#include <span>

// The sixty constants of the constants picker, in their stored order. Every
// cell is literal text shown as it is; a value becomes a number only when the
// user picks it. Forty constants have no symbol text: their symbol is the
// picture named in `picture` (":/constants/<picture>.svg").
class ConstantsTable
{
public:
    struct Row
    {
        QStringView symbol;
        QStringView description;
        QStringView value;
        QStringView picture; // empty where the symbol is text
    };

    static std::span<const Row> Rows();

    // The picture of the first row whose description equals description
    // without regard to letter case; empty when no row with a picture matches.
    static QStringView PictureFor(QStringView description);
};
