// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a rate file: NUL bytes, invalid UTF-8, CR, LF and CR LF
// line ends in any mix, very long lines. Each input becomes the angle class's
// file in a folder of its own and the seventeen tables are loaded. Then:
// - a file with a NUL byte is no text: the class has no units;
// - otherwise every line is one unit, in order (a line end after the last
//   line adds none), its name the text before the first tab, and it is
//   common exactly when its fourth field is "T" or "t";
// - entry 0 of every list holds no unit, and the other classes keep their
//   built-in defaults.
#include "conversion/ratefolders.h"
#include "conversion/unittables.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <QUtf8StringView>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char *what)
{
    if (condition)
        return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

// The lines of the text: each ends at CR LF, CR or LF; text after the last
// line end is one more line.
QStringList linesOf(const QByteArray &bytes)
{
    const QString text
        = QUtf8StringView(bytes).isValidUtf8() ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
    QStringList lines;
    QString line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n')) {
            if (text[i] == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            lines.append(line);
            line.clear();
        } else {
            line.append(text[i]);
        }
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

QTemporaryDir *folder = nullptr;
qsizetype defaultDistances = 0; // units of a class without a file

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // A folder in memory where there is one keeps the many writes fast.
    const QString memory = QStringLiteral("/dev/shm");
    folder = QFileInfo(memory).isWritable() ? new QTemporaryDir(memory + QStringLiteral("/zorvane-fuzz-XXXXXX"))
                                            : new QTemporaryDir;
    defaultDistances
        = UnitTables::GetDefaultConversionDataArray(UnitTables::DefaultConversionText(UnitClass::Distance)).size();
    return folder->isValid() ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    {
        QFile file(QDir(folder->path()).filePath(QStringLiteral("ConvertAngles.txt")));
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the test file");
        check(file.write(bytes) == bytes.size(), "cannot write the test file");
    }
    UnitTables tables;
    tables.LoadConversionRates(RateFolders(QStringList { folder->path() }));

    const UnitList &angles = tables.ConversionList(UnitClass::Angle);
    check(!angles.isEmpty() && !angles.front().has_value(), "entry 0 holds a unit");
    if (bytes.contains('\0')) {
        check(angles.size() == 1, "a file with a NUL byte gave units");
    } else {
        const QStringList lines = linesOf(bytes);
        check(angles.size() == lines.size() + 1, "not one unit per line");
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const Unit &unit = *angles[i + 1];
            const QStringList fields = lines[i].split(QLatin1Char('\t'));
            check(unit.GetName() == fields[0], "the name is not the first field");
            const bool common = fields.size() > 3
                && (fields[3] == QLatin1String("T") || fields[3] == QLatin1String("t"));
            check(unit.IsCommon() == common, "common although the fourth field is not T, or the other way");
            if (fields.size() < 2)
                check(unit.GetFactor() == 0, "a factor without a second field");
            if (fields.size() < 3)
                check(unit.GetOffset() == 0, "an offset without a third field");
        }
    }
    check(tables.ConversionList(UnitClass::Distance).size() == defaultDistances + 1,
        "a class without a file lost its default units");
    for (const UnitClassInfo &info : UnitClasses())
        check(!tables.ConversionList(info.unitClass).front().has_value(), "entry 0 holds a unit");
    return 0;
}
