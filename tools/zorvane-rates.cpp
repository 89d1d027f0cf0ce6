// SPDX-License-Identifier: GPL-3.0-or-later
// Loads the unit tables as the calculator does at start-up, from the rate
// folders that belong to this executable and its user, and prints one line
// per class, in load order, with four tab-separated fields: the rate file's
// name, where its units came from (the file's path, or "built-in" for the
// compiled-in default), the number of units and the first unit's name.
// Placed beside an installed zorvane, it shows which rate files that
// installation reads.
#include "conversion/ratefolders.h"
#include "conversion/unittables.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const RateFolders folders = RateFolders::Standard();
    UnitTables tables;
    tables.LoadConversionRates(folders);

    QTextStream out(stdout);
    for (const UnitClassInfo &info : UnitClasses()) {
        const QString file = folders.GetConversionRatesFile(info.fileName);
        const UnitList &list = tables.ConversionList(info.unitClass);
        out << info.fileName << '\t' << (file.isEmpty() ? QStringLiteral("built-in") : file) << '\t'
            << list.size() - 1 << '\t' << (list.size() > 1 && list[1] ? list[1]->GetName() : QString())
            << '\n';
    }
    return 0;
}
