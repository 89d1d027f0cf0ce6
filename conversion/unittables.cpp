// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversion/unittables.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringDecoder>

#include <charconv>
#include <limits>
#include <string>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

// The lines of a rate file, or nothing when the file cannot be opened or
// does not hold text (it contains a NUL byte). Text is UTF-8; a file that is
// not valid UTF-8 is read as Latin-1, the encoding older editors save in.
// Lines end at a line feed, a carriage return or both; a line end after the
// last line does not start another line.
std::optional<QStringList> ReadRateFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.contains('\0'))
        return std::nullopt;

    // Stateless: a file that ends inside a multi-byte sequence is not valid
    // UTF-8 either; a stateful decoder would keep those bytes back, waiting
    // for more, and report no error.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);

    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\n' && text[i] != u'\r')
            continue;
        lines.append(text.sliced(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.sliced(start));
    return lines;
}

// A single-character locale symbol, or a null QChar when the locale uses a
// longer one.
QChar SingleCharacter(const QString &symbol)
{
    return symbol.size() == 1 ? symbol.front() : QChar();
}

} // namespace

UnitTables::UnitTables()
{
    // Index 0 of every list is the empty slot; units start at index 1.
    for (UnitList &list : lists)
        list.resize(1);
}

void UnitTables::LoadConversionRates(const RateFolders &folders)
{
    for (const UnitClassInfo &info : UnitClasses())
        LoadClass(info, folders);
}

void UnitTables::LoadClass(const UnitClassInfo &info, const RateFolders &folders)
{
    UnitList &list = lists[static_cast<int>(info.unitClass)];
    list.resize(1);

    // Empty when no folder holds a readable file of the class.
    const QString path = folders.GetConversionRatesFile(info.fileName);
    QStringList lines;
    if (path.isEmpty()) {
        lines = GetDefaultConversionDataArray(DefaultConversionText(info.unitClass));
    } else {
        // A readable file that is not text gives the class no units: the
        // user's own file wins over the default even when it is broken.
        const std::optional<QStringList> fileLines = ReadRateFile(path);
        if (!fileLines)
            return;
        lines = *fileLines;
    }
    list.reserve(lines.size() + 1);
    for (const QString &line : std::as_const(lines))
        list.append(UnitFromLine(line));
}

const UnitList &UnitTables::ConversionList(UnitClass unitClass) const
{
    return lists[static_cast<int>(unitClass)];
}

const Unit *UnitTables::FindUnit(UnitClass unitClass, const QString &name) const
{
    const UnitList &list = ConversionList(unitClass);
    for (qsizetype i = 1; i < list.size(); ++i)
        if (list[i] && list[i]->GetName().compare(name, Qt::CaseInsensitive) == 0)
            return &*list[i];
    return nullptr;
}

QString UnitTables::ApplicationRatesFolder()
{
    return RatesFolderFor(QCoreApplication::applicationDirPath());
}

QString UnitTables::RatesFolderFor(const QString &applicationFolder)
{
    // Without an application folder a bare "ConversionRates" would be looked
    // up in the working directory.
    if (applicationFolder.isEmpty())
        return {};
    const QDir folder(applicationFolder);
    const QString beside = folder.filePath(u"ConversionRates"_s);
    if (QFileInfo(beside).isDir())
        return beside;
    const QString installed
        = QDir::cleanPath(folder.filePath(QStringLiteral(ZORVANE_INSTALLED_RATES_FOLDER)));
    return QFileInfo(installed).isDir() ? installed : beside;
}

QStringList UnitTables::GetDefaultConversionDataArray(const QString &text)
{
    QStringList lines = text.split(u'\n');
    lines.removeLast();
    return lines;
}

QString UnitTables::DefaultConversionText(UnitClass unitClass)
{
    // The default texts are the shipped rate files, compiled in as UTF-8.
    QFile resource(u":/ConversionRates/"_s + UnitClassInfoOf(unitClass).fileName);
    if (!resource.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(resource.readAll());
}

Unit UnitTables::UnitFromLine(const QString &line)
{
    const QStringList fields = line.split(u'\t');
    auto field = [&fields](qsizetype index) { return index < fields.size() ? fields[index] : QString(); };
    return Unit(field(0), RateNumber(field(1)), RateNumber(field(2)),
        field(3).compare("T"_L1, Qt::CaseInsensitive) == 0);
}

double UnitTables::RateNumber(const QString &field)
{
    const QLocale locale;
    const QChar decimal = SingleCharacter(locale.decimalPoint());
    const QChar minus = SingleCharacter(locale.negativeSign());
    const QChar plus = SingleCharacter(locale.positiveSign());

    // Copy the characters that can belong to a number into ASCII, with "."
    // for every decimal separator; std::from_chars then reads the longest
    // number at the start of that copy.
    std::string ascii;
    qsizetype i = 0;
    while (i < field.size() && (field[i] == u' ' || field[i] == u'\t'))
        ++i;
    if (i < field.size() && (field[i] == u'+' || (!plus.isNull() && field[i] == plus)))
        ++i;
    for (; i < field.size(); ++i) {
        const QChar c = field[i];
        if ((c >= u'0' && c <= u'9') || c == u'.' || c == u'e' || c == u'E' || c == u'+' || c == u'-')
            ascii += static_cast<char>(c.unicode());
        else if (!decimal.isNull() && c == decimal)
            ascii += '.';
        else if (!minus.isNull() && c == minus)
            ascii += '-';
        else
            break;
    }

    double value = 0.0;
    const char *const first = ascii.data();
    const auto [end, error] = std::from_chars(first, first + ascii.size(), value);
    if (error == std::errc::invalid_argument)
        return 0.0;
    if (error == std::errc::result_out_of_range) {
        // from_chars leaves value alone here: give the infinity or the zero
        // that the text stands for.
        const std::string number(first, end);
        const bool negative = number.front() == '-';
        const std::size_t exponent = number.find_first_of("eE");
        const bool tiny = exponent == std::string::npos ? number.find_first_of("123456789") > number.find('.')
                                                        : number[exponent + 1] == '-';
        if (tiny)
            return negative ? -0.0 : 0.0;
        return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    }
    return value;
}
