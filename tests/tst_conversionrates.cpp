// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversion/unittables.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(UnitClass)

namespace {

// π to more digits than a long double holds; the angle checks divide it in
// long double and round once to double.
constexpr long double kPi = 3.141592653589793238462643383279502884L;

QString shippedFolder()
{
    return QStringLiteral(ZORVANE_SOURCE_DIR "/ConversionRates");
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

UnitTables loadedFrom(const QString &folder)
{
    UnitTables tables;
    tables.LoadConversionRates(RateFolders({ folder }));
    return tables;
}

bool sameUnits(const UnitList &a, const UnitList &b)
{
    if (a.size() != b.size() || a[0] || b[0])
        return false;
    for (qsizetype i = 1; i < a.size(); ++i) {
        if (!a[i] || !b[i] || a[i]->GetName() != b[i]->GetName() || a[i]->GetFactor() != b[i]->GetFactor()
            || a[i]->GetOffset() != b[i]->GetOffset() || a[i]->IsCommon() != b[i]->IsCommon())
            return false;
    }
    return true;
}

// The factor and offset texts of a shipped rate file, by unit name.
QHash<QString, QStringList> numberTexts(UnitClass unitClass)
{
    QHash<QString, QStringList> texts;
    const QString path = shippedFolder() + u'/' + UnitClassInfoOf(unitClass).fileName;
    const QStringList lines = QString::fromUtf8(readBytes(path)).split(u'\n', Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        const QStringList fields = line.split(u'\t');
        texts.insert(fields.value(0), { fields.value(1), fields.value(2) });
    }
    return texts;
}

// Significant digits of a number text such as "-0.00029088820866572160",
// "9460730472580800" or "1.66053906660e-27": zeros after the decimal point
// count, trailing zeros of an integer do not.
int significantDigits(QString text)
{
    text.remove(u'-');
    text = text.section(u'e', 0, 0);
    const bool hasPoint = text.contains(u'.');
    text.remove(u'.');
    while (text.startsWith(u'0'))
        text.remove(0, 1);
    if (!hasPoint)
        while (text.endsWith(u'0'))
            text.chop(1);
    return int(text.size());
}

// QCOMPARE on doubles is fuzzy; these checks want the very same double.
#define COMPARE_EXACTLY(actual, expected)                                                                    \
    do {                                                                                                     \
        const double actualValue = (actual);                                                                 \
        const double expectedValue = (expected);                                                             \
        QVERIFY2(actualValue == expectedValue || (std::isnan(actualValue) && std::isnan(expectedValue)),     \
            qPrintable(QString::number(actualValue, 'g', 17) + u" != "_s                                     \
                + QString::number(expectedValue, 'g', 17)));                                                 \
    } while (false)

bool agreesTo12Digits(double actual, double expected)
{
    if (expected == 0.0)
        return std::fabs(actual) < 1e-12;
    return std::fabs(actual - expected) <= 5e-13 * std::fabs(expected);
}

} // namespace

class TestConversionRates : public QObject
{
    Q_OBJECT

    QLocale startLocale;
    // The standard rate folders begin with the user's data folder: an empty
    // one here, never the real one.
    QTemporaryDir dataHome;

    // A folder holding one rate file of the given class; the other classes
    // take their defaults.
    static void loadOneFile(
        QTemporaryDir &dir, UnitClass unitClass, const QByteArray &content, UnitTables &tables)
    {
        writeBytes(dir.filePath(UnitClassInfoOf(unitClass).fileName), content);
        tables.LoadConversionRates(RateFolders({ dir.path() }));
    }

private Q_SLOTS:
    void initTestCase()
    {
        startLocale = QLocale();
        QVERIFY(dataHome.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
    }
    void cleanup() { QLocale::setDefault(startLocale); }

    void classesLoadInTheOrderOfTheirFiles_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("listName");
        const char *rows[][3] = {
            { "Acceleration", "ConvertAccelerations.txt", "AccelerationConversionList" },
            { "Angle", "ConvertAngles.txt", "AngleConversionList" },
            { "Area", "ConvertAreas.txt", "AreaConversionList" },
            { "Density", "ConvertDensities.txt", "DensityConversionList" },
            { "Distance", "ConvertDistances.txt", "DistanceConversionList" },
            { "Energy", "ConvertEnergies.txt", "EnergyConversionList" },
            { "Force", "ConvertForces.txt", "ForceConversionList" },
            { "Frequency", "ConvertFrequencies.txt", "FrequencyConversionList" },
            { "Power", "ConvertPowers.txt", "PowerConversionList" },
            { "Pressure", "ConvertPressures.txt", "PressureConversionList" },
            { "Radiation (absorbed dose)", "ConvertRadiationAbsorbed.txt",
                "RadiationAbsorbedDoseConversionList" },
            { "Speed", "ConvertSpeeds.txt", "SpeedConversionList" },
            { "Temperature", "ConvertTemperatures.txt", "TemperatureConversionList" },
            { "Time", "ConvertTimes.txt", "TimeConversionList" },
            { "Torque", "ConvertTorques.txt", "TorqueConversionList" },
            { "Volume", "ConvertVolumes.txt", "VolumeConversionList" },
            { "Mass", "ConvertWeightsAndMasses.txt", "WeightAndMassConversionList" },
        };
        int index = 0;
        for (const auto &row : rows) {
            QTest::newRow(row[0]) << index++ << QString::fromLatin1(row[0]) << QString::fromLatin1(row[1])
                                  << QString::fromLatin1(row[2]);
        }
    }

    void classesLoadInTheOrderOfTheirFiles()
    {
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(QString, fileName);
        QFETCH(QString, listName);
        const UnitClassInfo &info = UnitClasses().at(index);
        QCOMPARE(QString(info.text), text);
        QCOMPARE(QString(info.fileName), fileName);
        QCOMPARE(QString(info.listName), listName);
        QCOMPARE(&UnitClassInfoOf(info.unitClass), &info);
        QCOMPARE(UnitClassFromText(text.toUpper()), info.unitClass);
    }

    void classTextsCompareWithoutLetterCase()
    {
        QCOMPARE(UnitClassFromText(u"mass"_s), UnitClass::WeightAndMass);
        QCOMPARE(UnitClassFromText(u"RADIATION (absorbed DOSE)"_s), UnitClass::RadiationAbsorbedDose);
        QCOMPARE(UnitClassFromText(u"Weight"_s), std::nullopt);
        QCOMPARE(UnitClassFromText(QString()), std::nullopt);
    }

    void dialogListsClassesAlphabetically()
    {
        const auto &order = UnitClassesInDialogOrder();
        QCOMPARE(order.front(), UnitClass::Acceleration);
        QCOMPARE(order[8], UnitClass::WeightAndMass); // "Mass", row 9
        QCOMPARE(order[9], UnitClass::Power);
        QCOMPARE(order[11], UnitClass::RadiationAbsorbedDose);
        QCOMPARE(order.back(), UnitClass::Volume);
    }

    void newTablesHoldOnlyTheEmptyEntry()
    {
        const UnitTables tables;
        for (const UnitClassInfo &info : UnitClasses()) {
            const UnitList &list = tables.ConversionList(info.unitClass);
            QCOMPARE(list.size(), 1);
            QVERIFY(!list[0]);
        }
    }

    void readsTheFieldsOfALine_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("factor");
        QTest::addColumn<double>("offset");
        QTest::addColumn<bool>("common");
        QTest::newRow("X 2 0 T") << "X\t2\t0\tT\n"_ba << u"X"_s << 2.0 << 0.0 << true;
        QTest::newRow("lower-case t") << "X\t2\t0\tt\n"_ba << u"X"_s << 2.0 << 0.0 << true;
        QTest::newRow("no fourth field") << "X\t2\t0\n"_ba << u"X"_s << 2.0 << 0.0 << false;
        QTest::newRow("other flag text") << "X\t2\t0\tTrue\n"_ba << u"X"_s << 2.0 << 0.0 << false;
        QTest::newRow("F") << "X\t2\t0\tF\n"_ba << u"X"_s << 2.0 << 0.0 << false;
        QTest::newRow("after a fourth tab") << "X\t2\t0\tT\tignored\t9\n"_ba << u"X"_s << 2.0 << 0.0 << true;
        QTest::newRow("name keeps its spaces")
            << " two words \t0.5\t-3\tT\n"_ba << u" two words "_s << 0.5 << -3.0 << true;
        QTest::newRow("offset") << "degree\t1.25\t273.15\tF\n"_ba << u"degree"_s << 1.25 << 273.15 << false;
        QTest::newRow("non-numeric numbers") << "X\tabc\t\tT\n"_ba << u"X"_s << 0.0 << 0.0 << true;
        QTest::newRow("name only") << "X\n"_ba << u"X"_s << 0.0 << 0.0 << false;
        QTest::newRow("leading number") << "X\t2.5 m\t7kg\n"_ba << u"X"_s << 2.5 << 7.0 << false;
        QTest::newRow("exponent") << "X\t1.602176634e-19\t-1E3\tT\n"_ba << u"X"_s << 1.602176634e-19
                                  << -1000.0 << true;
        QTest::newRow("UTF-8 name") << "degree Réaumur (°Ré)\t1.25\t273.15\tT\n"_ba
                                    << u"degree Réaumur (°Ré)"_s << 1.25 << 273.15 << true;
        QTest::newRow("Latin-1 name") << "R\xe9"
                                         "aumur\t1.25\t0\tT\n"_ba
                                      << u"Réaumur"_s << 1.25 << 0.0 << true;
        QTest::newRow("byte-order mark") << "\xef\xbb\xbfX\t2\t0\tT\n"_ba << u"X"_s << 2.0 << 0.0 << true;
    }

    void readsTheFieldsOfALine()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, name);
        QFETCH(double, factor);
        QFETCH(double, offset);
        QFETCH(bool, common);
        QTemporaryDir dir;
        UnitTables tables;
        loadOneFile(dir, UnitClass::Area, content, tables);
        const UnitList &list = tables.ConversionList(UnitClass::Area);
        QCOMPARE(list.size(), 2);
        QVERIFY(!list[0]);
        QCOMPARE(list[1]->GetName(), name);
        COMPARE_EXACTLY(list[1]->GetFactor(), factor);
        COMPARE_EXACTLY(list[1]->GetOffset(), offset);
        QCOMPARE(list[1]->IsCommon(), common);
    }

    void everyLineOfAFileIsAUnit_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<bool>>("common");
        QTest::newRow("blank line in the middle")
            << "A\t1\t0\tT\n\nB\t2\t0\tT\n"_ba << QStringList { u"A"_s, QString(), u"B"_s }
            << QList { true, false, true };
        QTest::newRow("no line end after the last line")
            << "A\t1\t0\tT\nB\t2\t0\tT"_ba << QStringList { u"A"_s, u"B"_s } << QList { true, true };
        QTest::newRow("blank last line")
            << "A\t1\t0\tT\n\n"_ba << QStringList { u"A"_s, QString() } << QList { true, false };
        QTest::newRow("CR LF") << "A\t1\t0\tT\r\nB\t2\t0\tt\r\n"_ba << QStringList { u"A"_s, u"B"_s }
                               << QList { true, true };
        QTest::newRow("CR") << "A\t1\t0\tT\rB\t2\t0\tF\r"_ba << QStringList { u"A"_s, u"B"_s }
                            << QList { true, false };
        QTest::newRow("empty file") << QByteArray() << QStringList() << QList<bool>();
    }

    void everyLineOfAFileIsAUnit()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, names);
        QFETCH(QList<bool>, common);
        QTemporaryDir dir;
        UnitTables tables;
        loadOneFile(dir, UnitClass::Speed, content, tables);
        const UnitList &list = tables.ConversionList(UnitClass::Speed);
        QCOMPARE(list.size(), names.size() + 1);
        for (qsizetype i = 0; i < names.size(); ++i) {
            QCOMPARE(list[i + 1]->GetName(), names[i]);
            QCOMPARE(list[i + 1]->IsCommon(), common[i]);
        }
        if (names.size() > 1 && names[1].isEmpty()) {
            QCOMPARE(list[2]->GetFactor(), 0.0);
            QCOMPARE(list[2]->GetOffset(), 0.0);
        }
    }

    void defaultTextsSplitAtLineFeeds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("two lines") << u"a\nb\n"_s << QStringList { u"a"_s, u"b"_s };
        QTest::newRow("last line without line feed is lost") << u"a\nb"_s << QStringList { u"a"_s };
        QTest::newRow("blank line kept") << u"a\n\nb\n"_s << QStringList { u"a"_s, QString(), u"b"_s };
        QTest::newRow("only a line feed") << u"\n"_s << QStringList { QString() };
        QTest::newRow("empty") << QString() << QStringList();
        QTest::newRow("carriage returns stay")
            << u"a\t1\t0\tT\r\nb\r\n"_s << QStringList { u"a\t1\t0\tT\r"_s, u"b\r"_s };
    }

    void defaultTextsSplitAtLineFeeds()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(UnitTables::GetDefaultConversionDataArray(text), lines);
    }

    void carriageReturnInADefaultLineIsPartOfTheFlag()
    {
        const QStringList lines = UnitTables::GetDefaultConversionDataArray(u"X\t2\t0\tT\r\n"_s);
        QCOMPARE(lines.size(), 1);
        QVERIFY(!UnitTables::UnitFromLine(lines[0]).IsCommon());
    }

    void ratesFolderIsBesideTheExecutable()
    {
        QCOMPARE(UnitTables::ApplicationRatesFolder(),
            QCoreApplication::applicationDirPath() + u"/ConversionRates"_s);
    }

    void ratesFolderBesideOrInstalled()
    {
        QTemporaryDir prefix;
        const QString bin = prefix.filePath(u"bin"_s);
        const QString beside = bin + u"/ConversionRates"_s;
        const QString installed = prefix.filePath(u"share/zorvane/ConversionRates"_s);
        QVERIFY(QDir().mkpath(bin));
        QCOMPARE(UnitTables::RatesFolderFor(bin), beside); // neither: the defaults will do
        QVERIFY(QDir().mkpath(installed));
        QCOMPARE(UnitTables::RatesFolderFor(bin), installed);
        QVERIFY(QDir().mkpath(beside));
        QCOMPARE(UnitTables::RatesFolderFor(bin), beside);
        QCOMPARE(UnitTables::RatesFolderFor(QString()), QString());
    }

    void missingFolderTakesEveryDefault()
    {
        QTemporaryDir dir;
        const UnitTables tables = loadedFrom(dir.filePath(u"absent"_s));
        const UnitTables noFolder = loadedFrom(QString());
        for (const UnitClassInfo &info : UnitClasses()) {
            const UnitList expected = [&] {
                UnitList list { std::nullopt };
                const QString text = UnitTables::DefaultConversionText(info.unitClass);
                for (const QString &line : UnitTables::GetDefaultConversionDataArray(text))
                    list.append(UnitTables::UnitFromLine(line));
                return list;
            }();
            QVERIFY2(expected.size() > 1, info.fileName.data());
            QVERIFY(sameUnits(tables.ConversionList(info.unitClass), expected));
            QVERIFY(sameUnits(noFolder.ConversionList(info.unitClass), expected));
        }
    }

    void deletingOneFileChangesOnlyItsClass()
    {
        QTemporaryDir dir;
        for (const UnitClassInfo &info : UnitClasses()) {
            const int factor = int(info.unitClass) + 2;
            writeBytes(dir.filePath(info.fileName), "Fixture\t" + QByteArray::number(factor) + "\t0\tT\n");
        }
        const UnitTables defaults = loadedFrom(QString());
        const UnitTables before = loadedFrom(dir.path());
        QVERIFY(QFile::remove(dir.filePath(u"ConvertAngles.txt"_s)));
        const UnitTables after = loadedFrom(dir.path());
        for (const UnitClassInfo &info : UnitClasses()) {
            const UnitList &list = before.ConversionList(info.unitClass);
            QCOMPARE(list.size(), 2);
            QCOMPARE(list[1]->GetName(), u"Fixture"_s);
            QCOMPARE(list[1]->GetFactor(), double(int(info.unitClass) + 2));
            if (info.unitClass == UnitClass::Angle)
                QVERIFY(
                    sameUnits(after.ConversionList(info.unitClass), defaults.ConversionList(info.unitClass)));
            else
                QVERIFY(sameUnits(after.ConversionList(info.unitClass), list));
        }
    }

    void readableFileThatIsNotTextGivesNoUnits_data()
    {
        QTest::addColumn<bool>("directory");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("binary data") << false << QByteArray("X\t2\t0\tT\n\0\x01\x02", 11);
        QTest::newRow("folder of that name") << true << QByteArray();
    }

    void readableFileThatIsNotTextGivesNoUnits()
    {
        QFETCH(bool, directory);
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"ConvertTimes.txt"_s);
        if (directory)
            QVERIFY(QDir().mkdir(path));
        else
            writeBytes(path, content);
        const UnitTables tables = loadedFrom(dir.path());
        QCOMPARE(tables.ConversionList(UnitClass::Time).size(), 1);
        QVERIFY(sameUnits(tables.ConversionList(UnitClass::Torque),
            loadedFrom(QString()).ConversionList(UnitClass::Torque)));
    }

    void unreadableFileTakesTheDefault()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"ConvertForces.txt"_s);
        writeBytes(path, "Fixture\t2\t0\tT\n");
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
        if (QFileInfo(path).isReadable())
            QSKIP("this user can read a file without read permission");
        const UnitTables tables = loadedFrom(dir.path());
        QVERIFY(sameUnits(
            tables.ConversionList(UnitClass::Force), loadedFrom(QString()).ConversionList(UnitClass::Force)));
    }

    void loadingAgainReplacesTheUnits()
    {
        UnitTables tables;
        tables.LoadConversionRates(RateFolders(QStringList()));
        const qsizetype size = tables.ConversionList(UnitClass::Volume).size();
        tables.LoadConversionRates(RateFolders(QStringList()));
        QCOMPARE(tables.ConversionList(UnitClass::Volume).size(), size);
    }

    void findsTheFirstUnitOfAName()
    {
        QTemporaryDir dir;
        UnitTables tables;
        loadOneFile(dir, UnitClass::Torque, "A\t1\t0\tT\nb\t2\t0\tT\nB\t3\t0\tT\n"_ba, tables);
        QCOMPARE(tables.FindUnit(UnitClass::Torque, u"b"_s)->GetFactor(), 2.0);
        QCOMPARE(tables.FindUnit(UnitClass::Torque, u"B"_s)->GetFactor(), 2.0);
        QCOMPARE(tables.FindUnit(UnitClass::Torque, u"a"_s)->GetFactor(), 1.0);
        QCOMPARE(tables.FindUnit(UnitClass::Torque, u"C"_s), nullptr);
        QCOMPARE(tables.FindUnit(UnitClass::Torque, QString()), nullptr);
    }

    void rateNumbers_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("C point") << u"C"_s << u"0.0254"_s << 0.0254;
        QTest::newRow("C comma ends the number") << u"C"_s << u"0,5"_s << 0.0;
        QTest::newRow("C grouping ends the number") << u"C"_s << u"1,000.5"_s << 1.0;
        QTest::newRow("C negative") << u"C"_s << u"-0.66666666666666667"_s << -2.0 / 3.0;
        QTest::newRow("C plus and spaces") << u"C"_s << u"  +4"_s << 4.0;
        QTest::newRow("C leading point") << u"C"_s << u".5"_s << 0.5;
        QTest::newRow("C second point") << u"C"_s << u"1.5.3"_s << 1.5;
        QTest::newRow("C dangling exponent") << u"C"_s << u"5e"_s << 5.0;
        QTest::newRow("C no number") << u"C"_s << u"abc"_s << 0.0;
        QTest::newRow("C empty") << u"C"_s << QString() << 0.0;
        QTest::newRow("C inf is no number") << u"C"_s << u"inf"_s << 0.0;
        QTest::newRow("C overflow") << u"C"_s << u"1e400"_s << inf;
        QTest::newRow("C negative overflow") << u"C"_s << u"-2.5e999"_s << -inf;
        QTest::newRow("C underflow") << u"C"_s << u"1e-400"_s << 0.0;
        QTest::newRow("en_US point") << u"en_US"_s << u"1609.344"_s << 1609.344;
        QTest::newRow("de_DE point") << u"de_DE"_s << u"0.0254"_s << 0.0254;
        QTest::newRow("de_DE comma") << u"de_DE"_s << u"0,0254"_s << 0.0254;
        QTest::newRow("de_DE negative comma") << u"de_DE"_s << u"-0,75"_s << -0.75;
        QTest::newRow("de_DE comma exponent") << u"de_DE"_s << u"2,5e3"_s << 2500.0;
        QTest::newRow("de_DE point is never grouping") << u"de_DE"_s << u"1.000"_s << 1.0;
        QTest::newRow("fr_FR comma") << u"fr_FR"_s << u"273,15"_s << 273.15;
    }

    void rateNumbers()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(double, value);
        QLocale::setDefault(QLocale(locale));
        const double read = UnitTables::RateNumber(text);
        COMPARE_EXACTLY(read, value);
        QCOMPARE(std::signbit(read), std::signbit(value));
    }

    void commaFileInACommaLocale()
    {
        QLocale::setDefault(QLocale(u"de_DE"_s));
        QTemporaryDir dir;
        UnitTables tables;
        loadOneFile(
            dir, UnitClass::Temperature, "inch\t0,0254\t0\tT\nshipped\t0.0254\t273,15\tT\n"_ba, tables);
        const UnitList &list = tables.ConversionList(UnitClass::Temperature);
        COMPARE_EXACTLY(list[1]->GetFactor(), 0.0254);
        COMPARE_EXACTLY(list[2]->GetFactor(), 0.0254);
        COMPARE_EXACTLY(list[2]->GetOffset(), 273.15);
        // The shipped texts read the same in a decimal-comma locale.
        const UnitTables inGerman = loadedFrom(QString());
        QLocale::setDefault(QLocale::c());
        const UnitTables inC = loadedFrom(QString());
        for (const UnitClassInfo &info : UnitClasses())
            QVERIFY(sameUnits(inGerman.ConversionList(info.unitClass), inC.ConversionList(info.unitClass)));
    }

    void convert_data()
    {
        QTest::addColumn<double>("fromFactor");
        QTest::addColumn<double>("fromOffset");
        QTest::addColumn<double>("toFactor");
        QTest::addColumn<double>("toOffset");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("result");
        QTest::newRow("offset out") << 1.0 << 10.0 << 1.0 << 0.0 << 5.0 << 15.0;
        QTest::newRow("offset back") << 1.0 << 0.0 << 1.0 << 10.0 << 15.0 << 5.0;
        QTest::newRow("factors") << 2.0 << 0.0 << 4.0 << 0.0 << 3.0 << 1.5;
        QTest::newRow("factors and offsets") << 2.0 << 10.0 << 5.0 << 20.0 << 30.0 << 10.0;
        // Each step rounds: 1 + 1e16 is 1e16, so the 1 is lost on the way.
        QTest::newRow("steps round one by one") << 1.0 << 1e16 << 1.0 << 1e16 << 1.0 << 0.0;
        QTest::newRow("target factor 0")
            << 1.0 << 0.0 << 0.0 << 0.0 << 3.0 << std::numeric_limits<double>::infinity();
        QTest::newRow("0 / 0") << 0.0 << 0.0 << 0.0 << 0.0 << 1.0 << std::numeric_limits<double>::quiet_NaN();
    }

    void convert()
    {
        QFETCH(double, fromFactor);
        QFETCH(double, fromOffset);
        QFETCH(double, toFactor);
        QFETCH(double, toOffset);
        QFETCH(double, value);
        QFETCH(double, result);
        const Unit from(u"from"_s, fromFactor, fromOffset, false);
        const Unit to(u"to"_s, toFactor, toOffset, true);
        COMPARE_EXACTLY(from.Convert(to, value), result);
    }

    void shippedFilesAreTheBuiltInDefaults()
    {
        for (const UnitClassInfo &info : UnitClasses()) {
            const QByteArray file = readBytes(shippedFolder() + u'/' + info.fileName);
            QVERIFY2(!file.isEmpty(), info.fileName.data());
            QVERIFY2(file.endsWith('\n') && !file.contains('\r'), info.fileName.data());
            QCOMPARE(UnitTables::DefaultConversionText(info.unitClass), QString::fromUtf8(file));
        }
        const UnitTables files = loadedFrom(shippedFolder());
        const UnitTables defaults = loadedFrom(QString());
        for (const UnitClassInfo &info : UnitClasses())
            QVERIFY(sameUnits(files.ConversionList(info.unitClass), defaults.ConversionList(info.unitClass)));
    }

    void buildCopiesTheRatesBesideTheExecutables()
    {
        const QString copies[] = { QCoreApplication::applicationDirPath() + u"/ConversionRates"_s,
            QStringLiteral(ZORVANE_BINARY_DIR "/app/ConversionRates") };
        for (const QString &copy : copies) {
            for (const UnitClassInfo &info : UnitClasses()) {
                const QString name = info.fileName;
                QVERIFY2(readBytes(copy + u'/' + name) == readBytes(shippedFolder() + u'/' + name),
                    qPrintable(copy + u'/' + name));
            }
        }
        // Loading from the standard folders, with none of the user's, reads
        // the copy beside this executable.
        UnitTables besideMe;
        besideMe.LoadConversionRates();
        const UnitTables shipped = loadedFrom(shippedFolder());
        for (const UnitClassInfo &info : UnitClasses())
            QVERIFY(
                sameUnits(besideMe.ConversionList(info.unitClass), shipped.ConversionList(info.unitClass)));
    }

    void shippedTable_data()
    {
        QTest::addColumn<UnitClass>("unitClass");
        for (const UnitClassInfo &info : UnitClasses())
            QTest::newRow(info.text.data()) << info.unitClass;
    }

    void shippedTable()
    {
        QFETCH(UnitClass, unitClass);
        const UnitTables tables = loadedFrom(shippedFolder());
        const UnitList &list = tables.ConversionList(unitClass);
        QVERIFY(!list[0]);
        QVERIFY(list.size() > 5);

        int siUnits = 0;
        QSet<QString> names;
        // The dialog starts on the last shown unit whose factor is exactly 1,
        // in both views; that must be the SI unit.
        const Unit *lastOneAll = nullptr;
        const Unit *lastOneCommon = nullptr;
        for (qsizetype i = 1; i < list.size(); ++i) {
            const Unit &unit = *list[i];
            const QString name = unit.GetName();
            QVERIFY2(!name.trimmed().isEmpty() && name == name.trimmed(), qPrintable(name));
            QVERIFY2(!names.contains(name.toCaseFolded()), qPrintable(u"duplicate: "_s + name));
            names.insert(name.toCaseFolded());
            QVERIFY2(std::isfinite(unit.GetFactor()) && std::isfinite(unit.GetOffset()), qPrintable(name));
            QVERIFY2(unit.GetFactor() != 0.0, qPrintable(name));
            // A negative factor belongs only to a reversed scale, which runs
            // down from a fixed point of its own.
            if (unit.GetFactor() < 0.0)
                QVERIFY2(unitClass == UnitClass::Temperature && unit.GetOffset() > 0.0, qPrintable(name));
            if (unit.GetOffset() != 0.0)
                QVERIFY2(unitClass == UnitClass::Temperature, qPrintable(name));
            if (unit.GetFactor() == 1.0 && unit.GetOffset() == 0.0) {
                ++siUnits;
                QVERIFY2(unit.IsCommon(), qPrintable(name));
            }
            if (unit.GetFactor() == 1.0) {
                lastOneAll = &unit;
                if (unit.IsCommon())
                    lastOneCommon = &unit;
            }
        }
        QCOMPARE(siUnits, 1);
        QVERIFY(lastOneAll && lastOneAll->GetOffset() == 0.0);
        QCOMPARE(lastOneCommon, lastOneAll);
    }

    void temperatureStartsOnKelvin()
    {
        const UnitTables tables = loadedFrom(shippedFolder());
        const UnitList &list = tables.ConversionList(UnitClass::Temperature);
        qsizetype celsius = 0;
        qsizetype kelvin = 0;
        for (qsizetype i = 1; i < list.size(); ++i) {
            if (list[i]->GetName() == u"degree Celsius (°C)"_s)
                celsius = i;
            if (list[i]->GetName() == u"kelvin (K)"_s)
                kelvin = i;
        }
        QVERIFY(celsius > 0 && kelvin > celsius);
        QCOMPARE(list[celsius]->GetFactor(), 1.0);
        QCOMPARE(list[celsius]->GetOffset(), 273.15);
    }

    void shippedTablesHoldAtLeast300Units()
    {
        const UnitTables tables = loadedFrom(shippedFolder());
        qsizetype units = 0;
        for (const UnitClassInfo &info : UnitClasses())
            units += tables.ConversionList(info.unitClass).size() - 1;
        QVERIFY2(units >= 300, qPrintable(QString::number(units)));
    }

    void numberTextsHaveAtMost17Digits()
    {
        for (const UnitClassInfo &info : UnitClasses()) {
            const QHash<QString, QStringList> texts = numberTexts(info.unitClass);
            for (auto it = texts.cbegin(); it != texts.cend(); ++it)
                for (const QString &number : it.value())
                    QVERIFY2(significantDigits(number) <= 17, qPrintable(it.key() + u": "_s + number));
        }
    }

    // Factors whose exact value is an infinite decimal: written with 17
    // significant digits that read back as the double nearest the exact value
    // (a quotient of two exactly representable integers rounds correctly).
    void infiniteDecimalsUse17Digits_data()
    {
        QTest::addColumn<UnitClass>("unitClass");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("field"); // 0 factor, 1 offset
        QTest::addColumn<double>("exact");
        const auto add = [](UnitClass c, const QString &name, int field, double exact) {
            QTest::newRow(qPrintable(name + (field ? u" offset"_s : QString())))
                << c << name << field << exact;
        };
        add(UnitClass::Angle, u"degree (°)"_s, 0, double(kPi / 180));
        add(UnitClass::Angle, u"arcminute (′)"_s, 0, double(kPi / 10800));
        add(UnitClass::Angle, u"arcsecond (″)"_s, 0, double(kPi / 648000));
        add(UnitClass::Angle, u"gradian, gon (grad)"_s, 0, double(kPi / 200));
        add(UnitClass::Angle, u"turn, revolution (rev)"_s, 0, double(2 * kPi));
        add(UnitClass::Frequency, u"radian per second (rad/s)"_s, 0, double(1 / (2 * kPi)));
        add(UnitClass::Frequency, u"revolution per minute (rpm)"_s, 0, 1.0 / 60.0);
        add(UnitClass::Temperature, u"degree Fahrenheit (°F)"_s, 0, 5.0 / 9.0);
        add(UnitClass::Temperature, u"degree Fahrenheit (°F)"_s, 1, 45967.0 / 180.0); // 459.67 × 5/9
        add(UnitClass::Temperature, u"degree Delisle (°De)"_s, 0, -2.0 / 3.0);
        add(UnitClass::Temperature, u"degree Rømer (°Rø)"_s, 1, 181205.0 / 700.0); // 273.15 − 7.5 × 40/21
        add(UnitClass::Pressure, u"torr (Torr)"_s, 0, 101325.0 / 760.0);
        add(UnitClass::Pressure, u"pound-force per square inch (psi)"_s, 0, 44482216152605.0 / 6451600000.0);
        add(UnitClass::Speed, u"kilometre per hour (km/h)"_s, 0, 1000.0 / 3600.0);
        add(UnitClass::Speed, u"knot (kn)"_s, 0, 1852.0 / 3600.0);
        add(UnitClass::Distance, u"US survey foot"_s, 0, 1200.0 / 3937.0);
        add(UnitClass::Density, u"pound per cubic foot (lb/ft³)"_s, 0, 453592370000.0 / 28316846592.0);
        add(UnitClass::WeightAndMass, u"slug"_s, 0, 44482216152605.0 / 3048000000000.0);
        add(UnitClass::Power, u"BTU (International Table) per hour"_s, 0, 105505585262.0 / 360000000000.0);
    }

    void infiniteDecimalsUse17Digits()
    {
        QFETCH(UnitClass, unitClass);
        QFETCH(QString, name);
        QFETCH(int, field);
        QFETCH(double, exact);
        const QStringList texts = numberTexts(unitClass).value(name);
        QCOMPARE(texts.size(), 2);
        QCOMPARE(significantDigits(texts[field]), 17);
        const UnitTables tables = loadedFrom(shippedFolder());
        const Unit *unit = tables.FindUnit(unitClass, name);
        QVERIFY(unit);
        COMPARE_EXACTLY(field ? unit->GetOffset() : unit->GetFactor(), exact);
    }

    // Well-known values, each from the units' definitions.
    void wellKnownConversions_data()
    {
        QTest::addColumn<UnitClass>("unitClass");
        QTest::addColumn<QString>("from");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("to");
        QTest::addColumn<double>("expected");
        const auto add
            = [](UnitClass c, const QString &from, double value, const QString &to, double expected) {
                  QTest::newRow(qPrintable(QString::number(value) + u' ' + from + u" in "_s + to))
                      << c << from << value << to << expected;
              };
        using enum UnitClass;
        add(Distance, u"mile (mi)"_s, 1, u"metre (m)"_s, 1609.344);
        add(Distance, u"light-year (ly)"_s, 1, u"metre (m)"_s, 9460730472580800.0);
        add(Distance, u"nautical mile (NM)"_s, 1, u"foot (ft)"_s, 6076.11548556430);
        add(Distance, u"astronomical unit (au)"_s, 1, u"kilometre (km)"_s, 149597870.7);
        add(Distance, u"parsec (pc)"_s, 1, u"light-year (ly)"_s, 3.26156377716743);
        add(Distance, u"inch (in)"_s, 1, u"centimetre (cm)"_s, 2.54);
        add(Distance, u"US survey foot"_s, 1, u"foot (ft)"_s, 1.000002000004);
        add(Volume, u"US gallon (gal)"_s, 1, u"litre (L)"_s, 3.785411784);
        add(Volume, u"imperial gallon"_s, 1, u"US gallon (gal)"_s, 1.20094992550485);
        add(Volume, u"US fluid ounce (fl oz)"_s, 1, u"millilitre (mL)"_s, 29.5735295625);
        add(Volume, u"cubic foot (ft³)"_s, 1, u"litre (L)"_s, 28.316846592);
        add(Volume, u"US barrel (petroleum, 42 US gal)"_s, 1, u"US gallon (gal)"_s, 42);
        add(Volume, u"US tablespoon (½ US fl oz)"_s, 3, u"US fluid ounce (fl oz)"_s, 1.5);
        add(Temperature, u"degree Celsius (°C)"_s, 100, u"degree Fahrenheit (°F)"_s, 212);
        add(Temperature, u"degree Celsius (°C)"_s, -40, u"degree Fahrenheit (°F)"_s, -40);
        add(Temperature, u"degree Fahrenheit (°F)"_s, 32, u"degree Celsius (°C)"_s, 0);
        add(Temperature, u"kelvin (K)"_s, 373.15, u"degree Fahrenheit (°F)"_s, 212);
        add(Temperature, u"degree Fahrenheit (°F)"_s, 0, u"kelvin (K)"_s, 255.372222222222);
        add(Temperature, u"degree Celsius (°C)"_s, 0, u"kelvin (K)"_s, 273.15);
        add(Temperature, u"kelvin (K)"_s, 0, u"degree Rankine (°R)"_s, 0);
        add(Temperature, u"degree Rankine (°R)"_s, 491.67, u"degree Celsius (°C)"_s, 0);
        add(Temperature, u"degree Celsius (°C)"_s, 100, u"degree Réaumur (°Ré)"_s, 80);
        add(Temperature, u"degree Celsius (°C)"_s, 0, u"degree Delisle (°De)"_s, 150);
        add(Temperature, u"degree Celsius (°C)"_s, 100, u"degree Delisle (°De)"_s, 0);
        add(Temperature, u"degree Celsius (°C)"_s, 100, u"degree Newton (°N)"_s, 33);
        add(Temperature, u"degree Celsius (°C)"_s, 100, u"degree Rømer (°Rø)"_s, 60);
        add(Temperature, u"degree Celsius (°C)"_s, 0, u"degree Rømer (°Rø)"_s, 7.5);
        add(Pressure, u"standard atmosphere (atm)"_s, 1, u"torr (Torr)"_s, 760);
        // 101325 Pa / 133.322387415 Pa, the conventional millimetre of mercury.
        add(Pressure, u"standard atmosphere (atm)"_s, 1, u"millimetre of mercury (mmHg)"_s, 759.999891725611);
        add(Pressure, u"bar"_s, 1, u"pound-force per square inch (psi)"_s, 14.5037737730209);
        add(Pressure, u"pound-force per square inch (psi)"_s, 1, u"pascal (Pa)"_s, 6894.75729316836);
        add(Pressure, u"inch of mercury (inHg)"_s, 1, u"hectopascal (hPa)"_s, 33.86388640341);
        add(Pressure, u"standard atmosphere (atm)"_s, 1, u"kilopascal (kPa)"_s, 101.325);
        add(Energy, u"kilowatt-hour (kWh)"_s, 1, u"joule (J)"_s, 3.6e6);
        add(Energy, u"calorie (thermochemical, cal)"_s, 1, u"joule (J)"_s, 4.184);
        add(Energy, u"British thermal unit (International Table, BTU)"_s, 1, u"joule (J)"_s, 1055.05585262);
        add(Energy, u"electronvolt (eV)"_s, 1, u"joule (J)"_s, 1.602176634e-19);
        add(Energy, u"foot-pound force (ft·lbf)"_s, 1, u"joule (J)"_s, 1.3558179483314004);
        add(Energy, u"kilocalorie (thermochemical, food Calorie)"_s, 1, u"kilojoule (kJ)"_s, 4.184);
        add(Energy, u"therm (US)"_s, 1, u"British thermal unit (International Table, BTU)"_s,
            99976.1289774968);
        add(Power, u"horsepower (mechanical, hp)"_s, 1, u"watt (W)"_s, 745.69987158227022);
        add(Power, u"horsepower (metric, PS)"_s, 1, u"watt (W)"_s, 735.49875);
        add(Power, u"ton of refrigeration (12000 BTU/h)"_s, 1, u"kilowatt (kW)"_s, 3.51685284206667);
        add(WeightAndMass, u"pound (lb)"_s, 1, u"kilogram (kg)"_s, 0.45359237);
        add(WeightAndMass, u"kilogram (kg)"_s, 1, u"pound (lb)"_s, 2.20462262184878);
        add(WeightAndMass, u"ounce (avoirdupois, oz)"_s, 1, u"gram (g)"_s, 28.349523125);
        add(WeightAndMass, u"stone (14 lb)"_s, 1, u"pound (lb)"_s, 14);
        add(WeightAndMass, u"short ton (2000 lb)"_s, 1, u"kilogram (kg)"_s, 907.18474);
        add(WeightAndMass, u"long ton (2240 lb)"_s, 1, u"kilogram (kg)"_s, 1016.0469088);
        add(WeightAndMass, u"tonne, metric ton (t)"_s, 1, u"kilogram (kg)"_s, 1000);
        add(WeightAndMass, u"troy ounce (oz t)"_s, 1, u"gram (g)"_s, 31.1034768);
        add(WeightAndMass, u"metric carat (ct)"_s, 1, u"milligram (mg)"_s, 200);
        add(WeightAndMass, u"dalton, unified atomic mass unit (Da, u)"_s, 1, u"kilogram (kg)"_s,
            1.66053906660e-27);
        add(Speed, u"kilometre per hour (km/h)"_s, 100, u"mile per hour (mph)"_s, 62.1371192237334);
        add(Speed, u"knot (kn)"_s, 1, u"kilometre per hour (km/h)"_s, 1.852);
        add(Speed, u"mile per hour (mph)"_s, 1, u"metre per second (m/s)"_s, 0.44704);
        add(Speed, u"speed of light in vacuum (c)"_s, 1, u"kilometre per second (km/s)"_s, 299792.458);
        add(Acceleration, u"standard gravity (g₀)"_s, 1, u"foot per second squared (ft/s²)"_s,
            32.1740485564304);
        add(Angle, u"degree (°)"_s, 180, u"radian (rad)"_s, 3.14159265358979);
        add(Angle, u"turn, revolution (rev)"_s, 1, u"degree (°)"_s, 360);
        add(Angle, u"gradian, gon (grad)"_s, 1, u"degree (°)"_s, 0.9);
        add(Angle, u"radian (rad)"_s, 1, u"arcsecond (″)"_s, 206264.806247096);
        add(Angle, u"NATO mil (1/6400 turn)"_s, 6400, u"turn, revolution (rev)"_s, 1);
        add(Area, u"acre (ac)"_s, 1, u"square metre (m²)"_s, 4046.8564224);
        add(Area, u"hectare (ha)"_s, 1, u"acre (ac)"_s, 2.47105381467165);
        add(Area, u"square mile (mi²)"_s, 1, u"acre (ac)"_s, 640);
        add(Area, u"square mile (mi²)"_s, 1, u"square kilometre (km²)"_s, 2.589988110336);
        add(Density, u"gram per cubic centimetre (g/cm³)"_s, 1, u"pound per cubic foot (lb/ft³)"_s,
            62.4279605761446);
        add(Density, u"pound per US gallon (lb/gal)"_s, 1, u"kilogram per litre (kg/L)"_s, 0.119826427316897);
        add(Force, u"pound-force (lbf)"_s, 1, u"newton (N)"_s, 4.4482216152605);
        add(Force, u"kilogram-force (kgf)"_s, 1, u"pound-force (lbf)"_s, 2.20462262184878);
        add(Force, u"kip (1000 lbf)"_s, 1, u"kilonewton (kN)"_s, 4.4482216152605);
        add(Frequency, u"revolution per minute (rpm)"_s, 60, u"hertz (Hz)"_s, 1);
        add(Frequency, u"radian per second (rad/s)"_s, 1, u"revolution per minute (rpm)"_s, 9.54929658551372);
        add(Torque, u"pound-force foot (lbf·ft)"_s, 1, u"newton metre (N·m)"_s, 1.3558179483314004);
        add(Torque, u"pound-force inch (lbf·in)"_s, 12, u"pound-force foot (lbf·ft)"_s, 1);
        add(RadiationAbsorbedDose, u"gray (Gy)"_s, 1, u"rad"_s, 100);
        add(Time, u"year (Julian, 365.25 d)"_s, 1, u"day (d)"_s, 365.25);
        add(Time, u"year (average Gregorian, 365.2425 d)"_s, 1, u"day (d)"_s, 365.2425);
        add(Time, u"week (7 d)"_s, 1, u"hour (h)"_s, 168);
        add(Time, u"month (average Gregorian, 30.436875 d)"_s, 12, u"year (average Gregorian, 365.2425 d)"_s,
            1);
    }

    void wellKnownConversions()
    {
        QFETCH(UnitClass, unitClass);
        QFETCH(QString, from);
        QFETCH(double, value);
        QFETCH(QString, to);
        QFETCH(double, expected);
        const UnitTables tables = loadedFrom(shippedFolder());
        const Unit *source = tables.FindUnit(unitClass, from);
        const Unit *target = tables.FindUnit(unitClass, to);
        QVERIFY2(source, qPrintable(from));
        QVERIFY2(target, qPrintable(to));
        const double result = source->Convert(*target, value);
        QVERIFY2(agreesTo12Digits(result, expected),
            qPrintable(QString::number(result, 'g', 17) + u" != "_s + QString::number(expected, 'g', 17)));
    }
};

QTEST_GUILESS_MAIN(TestConversionRates)
#include "tst_conversionrates.moc"
