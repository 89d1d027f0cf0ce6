// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "conversion/ratefolders.h"
#include "conversion/unit.h"
#include "conversion/unitclass.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The units of one class in the order of their rate text. Index 0 never holds
// a unit; the units sit at indexes 1 to size() - 1.
using UnitList = QList<std::optional<Unit>>;

// The seventeen unit lists that the application object owns for the whole
// run, and their loading from the rate files or the built-in default texts.
//
// A rate text has one unit per line and up to four tab-separated fields:
// name, factor to the SI unit, amount added after the multiplication, and "T"
// (in either letter case) for a common unit. Missing fields are empty, number
// fields read their leading number (0 when there is none) and text after a
// fourth tab is ignored. Every line becomes a unit, a blank one included.
class UnitTables
{
public:
    // Every list holds only its empty entry at index 0.
    UnitTables();

    // Fills all seventeen lists, each from its file in the first of folders
    // that holds it readable (the user's folder before the application's) or,
    // where none does, from its built-in default text. A file that exists and
    // is readable but is no text file leaves its class without units. Loading
    // again replaces what an earlier load gave.
    void LoadConversionRates(const RateFolders &folders = RateFolders::Standard());

    const UnitList &ConversionList(UnitClass unitClass) const;

    // The first unit of the class whose name equals name without regard to
    // letter case, or nullptr when none does.
    const Unit *FindUnit(UnitClass unitClass, const QString &name) const;

    // RatesFolderFor the folder that holds the running executable; empty (no
    // folder) before the application object exists.
    static QString ApplicationRatesFolder();

    // "ConversionRates" beside an executable in applicationFolder. When there
    // is none but an installation's shared data folder holds one (bin/ and
    // share/zorvane/ConversionRates under the same prefix), that one.
    static QString RatesFolderFor(const QString &applicationFolder);

    // The lines of a default text: split at every line feed, the piece after
    // the last line feed dropped. Carriage returns stay in the lines.
    static QStringList GetDefaultConversionDataArray(const QString &text);

    // The class's built-in default text: the shipped rate file, compiled in.
    static QString DefaultConversionText(UnitClass unitClass);

    // The unit that one line of rate text describes.
    static Unit UnitFromLine(const QString &line);

    // The number at the start of a rate field. "." is always a decimal point,
    // so that the shipped texts read the same everywhere; the current
    // locale's decimal separator is one as well, so that a "0,5" written in a
    // decimal-comma locale reads as 0.5 there. Grouping separators end the
    // number. A field without a leading number gives 0.
    static double RateNumber(const QString &field);

private:
    void LoadClass(const UnitClassInfo &info, const RateFolders &folders);

    std::array<UnitList, UnitClassCount> lists;
};
