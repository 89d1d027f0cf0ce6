// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>

// The pictures on the mode buttons and the help button.
enum class ModePicture
{
    Trig,
    Constants,
    Mem,
    Misc,
    Convert,
    History,
    RPN,
    Help,
    ComplexNumbers,
    MatriciesAndVectors,
};

// The mode pictures are SVG resources (":/modes/<name>.svg", named trig,
// constants, mem, misc, convert, history, RPN, help, ComplexNumbers and
// matriciesandvectors), so they stay sharp at any scale. A button keeps the
// icon it is given for its whole life; the icon renders the picture once per
// size and caches it.
class ModePictures
{
public:
    static QString ResourcePath(ModePicture picture);
    static QIcon Icon(ModePicture picture);
};
