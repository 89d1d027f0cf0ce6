// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile inputs, one table row per case, each with the outcome a user would
// want: preferences files of every odd size and kind, writes that fail at
// every step (the settings file is never lost), rate files that are empty,
// binary, a million lines long or a folder, pasted text that is huge or
// strange, and keys pressed far more often than anyone would.
//
// The tests run as root in CI, where permission bits stop neither reads nor
// writes. Failures are therefore made in ways that hold for root too: a file
// size limit (RLIMIT_FSIZE with SIGXFSZ ignored), a folder where a file
// should be, a path whose parent is a regular file, a name too long for the
// temporary file beside it; a missing read permission is tested from a child
// process that gave up root.
#include "app/app.h"
#include "app/preferences.h"
#include "calculatorfixture.h"
#include "conversion/ratefolders.h"
#include "conversion/unittables.h"
#include "engine/codecreation.h"
#include "engine/scriptengine.h"
#include "tools/recordingspeaker.h"
#include "window/winnormalcalculator.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <bit>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
const double NaN = std::numeric_limits<double>::quiet_NaN();

const QString PreferencesName = QStringLiteral("Zorvane Preferences");

// What a preferences record holds, for comparing.
struct Settings
{
    qint32 version;
    bool rpn;
    bool speakResults;
    bool speakEverythingElse;
    float alpha;
    bool alphaUsed;

    static Settings of(const Preferences &p)
    {
        return { p.fileVersion, p.usingRPNMode, p.speakResults, p.speakEverythingElse, p.windowAlpha,
            p.windowAlphaUsed };
    }
    bool operator==(const Settings &o) const
    {
        return version == o.version && rpn == o.rpn && speakResults == o.speakResults
            && speakEverythingElse == o.speakEverythingElse
            && std::bit_cast<std::uint32_t>(alpha) == std::bit_cast<std::uint32_t>(o.alpha)
            && alphaUsed == o.alphaUsed;
    }
};

const Settings Defaults { 2, false, false, false, 1.0f, false };

char *toString(const Settings &s)
{
    return qstrdup(
        QStringLiteral("version %1, rpn %2, speakResults %3, speakEverythingElse %4, alpha %5, used %6")
            .arg(s.version)
            .arg(s.rpn)
            .arg(s.speakResults)
            .arg(s.speakEverythingElse)
            .arg(double(s.alpha))
            .arg(s.alphaUsed)
            .toUtf8()
            .constData());
}

// A version-2 record with every setting away from its default.
const QByteArray AllSet = QByteArray::fromHex("00000002"
                                              "010101"
                                              "3F000000"
                                              "01");
const Settings AllSetSettings { 2, true, true, true, 0.5f, true };

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Runs f in a child process that has given up root (when the test runs as
// root) and returns f's result; false when the child could not run.
bool asUnprivileged(const std::function<bool()> &f)
{
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        _exit(f() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Limits the size of every file this process writes to bytes while alive.
// Writing beyond the limit fails with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved);
        previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
    }

private:
    rlimit saved {};
    void (*previous)(int) = nullptr;
};

// How a preferences path is made hostile before the record is read or
// written.
enum class Place
{
    File, // a regular file with the given bytes (none: no file)
    Folder, // a folder where the file should be
    Fifo, // a named pipe where the file should be: reading it would wait forever
    ParentIsFile, // the path's folder is a regular file
    Unreadable, // a file without read permission, read by a user other than root
};

// The expected value of a key pressed again and again: the value it starts
// from (2) run through the key's calculation Presses times.
double iterate(double (*f)(double), int times)
{
    double x = 2;
    for (int k = 0; k < times; ++k)
        x = f(x);
    return x;
}

bool sameValue(double a, double b)
{
    return (std::isnan(a) && std::isnan(b))
        || std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// Every key is pressed 10,000 times, and one number gets 100,000 digits.
// Each digit makes the whole number be read again, so typing it takes time
// that grows with the square of its length: the Debug build with sanitizers,
// many times slower, types 10,000 digits and presses every key 1,500 times,
// still far beyond the depth to which function keys wrap the expression.
#if defined(NDEBUG) && !defined(__SANITIZE_ADDRESS__)
constexpr int Presses = 10000;
constexpr int TypedDigits = 100000;
#else
constexpr int Presses = 1500;
constexpr int TypedDigits = 10000;
#endif

} // namespace

Q_DECLARE_METATYPE(Place)
Q_DECLARE_METATYPE(Settings)

class TestHostile : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    QString path(const QString &name = PreferencesName) const { return dir.filePath(name); }

    // Makes the preferences path hostile as place says.
    void prepare(Place place, const QByteArray &bytes, bool fileExists)
    {
        switch (place) {
        case Place::File:
            if (fileExists)
                QVERIFY(writeAll(path(), bytes));
            break;
        case Place::Folder:
            QVERIFY(QDir(dir.path()).mkdir(PreferencesName));
            break;
        case Place::Fifo:
            QCOMPARE(mkfifo(QFile::encodeName(path()).constData(), 0600), 0);
            break;
        case Place::ParentIsFile:
            QVERIFY(writeAll(dir.filePath(QStringLiteral("not a folder")), AllSet));
            break;
        case Place::Unreadable:
            QVERIFY(writeAll(path(), bytes));
            QVERIFY(QFile::setPermissions(path(), QFileDevice::WriteOwner));
            QVERIFY(QFile::setPermissions(dir.path(),
                QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                    | QFileDevice::ReadOther | QFileDevice::ExeOther));
            break;
        }
    }

    QString preferencesPath(Place place) const
    {
        return place == Place::ParentIsFile ? dir.filePath(QStringLiteral("not a folder/") + PreferencesName)
                                            : path();
    }

private Q_SLOTS:
    void initTestCase()
    {
        // The application object reads the user's rate folder: a test one.
        QStandardPaths::setTestModeEnabled(true);
    }

    void init()
    {
        QVERIFY(dir.isValid());
        QFile::setPermissions(
            dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QDir folder(dir.path());
        for (const QString &name : folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)) {
            QFile::remove(folder.filePath(name));
            QDir(folder.filePath(name)).removeRecursively();
        }
        // Nothing here may print a message (the offscreen window system's
        // note on showing a window aside).
        QTest::failOnWarning(
            QRegularExpression(QStringLiteral("^(?!This plugin does not support propagateSizeHints)")));
    }

    void cleanup()
    {
        // Some cases take the write permission away; the folder must go.
        QFile::setPermissions(
            dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    // --- Preferences file: reading at start-up, writing at quit ---

    void preferencesFile_data()
    {
        QTest::addColumn<Place>("place");
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Settings>("read");
        QTest::addColumn<bool>("written"); // whether the quit can write the file

        const auto bytesRow = [](const char *name, const QByteArray &bytes, Settings read) {
            QTest::newRow(name) << Place::File << true << bytes << read << true;
        };
        QTest::newRow("no file: defaults") << Place::File << false << QByteArray() << Defaults << true;
        bytesRow("0 bytes: defaults", QByteArray(), Defaults);
        bytesRow("1 byte: defaults", QByteArray::fromHex("01"), Defaults);
        bytesRow("4 bytes: the version alone", QByteArray::fromHex("00000001"),
            Settings { 1, false, false, false, 1.0f, false });
        bytesRow("11 bytes: all but the opacity switch", AllSet.left(11),
            Settings { 2, true, true, true, 0.5f, false });
        bytesRow("12 bytes: everything", AllSet, AllSetSettings);
        bytesRow("4096 bytes: the first 12 count", AllSet + QByteArray(4096 - 12, '\xFF'), AllSetSettings);
        bytesRow("version -1: defaults", QByteArray::fromHex("FFFFFFFF") + AllSet.mid(4),
            Settings { -1, false, false, false, 1.0f, false });
        bytesRow("most negative version: defaults", QByteArray::fromHex("80000000") + AllSet.mid(4),
            Settings { std::numeric_limits<qint32>::min(), false, false, false, 1.0f, false });
        bytesRow("huge version: read as version 2", QByteArray::fromHex("7FFFFFFF") + AllSet.mid(4),
            Settings { std::numeric_limits<qint32>::max(), true, true, true, 0.5f, true });
        bytesRow("NaN opacity kept as stored",
            QByteArray::fromHex("00000002000000"
                                "7FC00000"
                                "01"),
            Settings { 2, false, false, false, std::bit_cast<float>(0x7FC00000u), true });
        QTest::newRow("a folder in place of the file: defaults, nothing written")
            << Place::Folder << false << QByteArray() << Defaults << false;
        QTest::newRow("a named pipe in place of the file: defaults, no wait")
            << Place::Fifo << false << QByteArray() << Defaults << true;
        QTest::newRow("the folder is a regular file: defaults, nothing written")
            << Place::ParentIsFile << false << QByteArray() << Defaults << false;
    }

    void preferencesFile()
    {
        QFETCH(Place, place);
        QFETCH(bool, fileExists);
        QFETCH(QByteArray, bytes);
        QFETCH(Settings, read);
        QFETCH(bool, written);
        prepare(place, bytes, fileExists);
        const QString file = preferencesPath(place);

        Preferences preferences(file);
        QCOMPARE(Settings::of(preferences), read);

        // A change made during the run, then the quit.
        preferences.usingRPNMode = !preferences.usingRPNMode;
        const Settings inMemory = Settings::of(preferences);
        QCOMPARE(preferences.WriteToDisk(), written);
        QCOMPARE(Settings::of(preferences), inMemory); // kept in memory either way
        if (written) {
            QCOMPARE(readAll(file), preferences.Serialize());
            QCOMPARE(readAll(file).size(), 12);
        } else {
            QVERIFY(!QFileInfo(file).isFile());
        }
        if (place == Place::Folder)
            QVERIFY(QFileInfo(file).isDir());
    }

    void preferencesWithoutReadPermission()
    {
        prepare(Place::Unreadable, AllSet, true);
        const QString file = path();
        QVERIFY(asUnprivileged([&file] { return Settings::of(Preferences(file)) == Defaults; }));
    }

    // --- Preferences are never lost: a write that fails at any step leaves
    // the old file, a write that succeeds leaves the new one ---

    void writeFailingAtEveryStep_data()
    {
        QTest::addColumn<int>("limit"); // bytes any file may grow to; -1: none
        QTest::addColumn<QString>("name"); // the file's name
        QTest::addColumn<bool>("written");
        for (int bytes = 0; bytes <= 12; ++bytes)
            QTest::addRow("file size limit %d", bytes) << bytes << PreferencesName << (bytes == 12);
        // The new file is first written beside the old one under a longer
        // name; with a name of 250 characters that name is too long.
        QTest::newRow("no room for the new file's name") << -1 << QString(250, QLatin1Char('P')) << false;
    }

    void writeFailingAtEveryStep()
    {
        QFETCH(int, limit);
        QFETCH(QString, name);
        QFETCH(bool, written);
        QVERIFY(writeAll(path(name), AllSet));
        Preferences preferences(path(name));
        preferences.SetPreferencesToDefaults();
        preferences.usingRPNMode = true;
        const Settings inMemory = Settings::of(preferences);

        bool result = false;
        if (limit >= 0) {
            const FileSizeLimit sizeLimit(static_cast<rlim_t>(limit));
            result = preferences.WriteToDisk();
        } else {
            result = preferences.WriteToDisk();
        }
        QCOMPARE(result, written);
        QCOMPARE(readAll(path(name)), written ? preferences.Serialize() : AllSet);
        QCOMPARE(Settings::of(preferences), inMemory);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { name });
    }

    void writeWithoutWritePermission()
    {
        // A folder the user may read but not write: the old file stays.
        QVERIFY(writeAll(path(), AllSet));
        QVERIFY(QFile::setPermissions(dir.path(),
            QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther | QFileDevice::ExeOther));
        QVERIFY(QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::ReadOther));
        const QString file = path();
        QVERIFY(asUnprivileged([&file] {
            Preferences preferences(file);
            const bool readAllSet = Settings::of(preferences) == AllSetSettings;
            preferences.usingRPNMode = false;
            return readAllSet && !preferences.WriteToDisk() && !preferences.usingRPNMode;
        }));
        QCOMPARE(readAll(path()), AllSet);
    }

    void quitWhenThePreferencesCannotBeWritten_data()
    {
        QTest::addColumn<Place>("place");
        QTest::addColumn<int>("limit"); // bytes any file may grow to; -1: none
        QTest::newRow("the folder is a regular file") << Place::ParentIsFile << -1;
        QTest::newRow("a folder in place of the file") << Place::Folder << -1;
        QTest::newRow("no room on the disk") << Place::File << 0;
    }

    void quitWhenThePreferencesCannotBeWritten()
    {
        // The application quits as always: no message, the settings of the
        // run stay in memory, and an old file stays as it was.
        QFETCH(Place, place);
        QFETCH(int, limit);
        prepare(place, AllSet, true);
        const QString file = preferencesPath(place);
        const QByteArray before = readAll(file);
        {
            App app(file, std::make_unique<RecordingSpeaker>());
            app.Open();
            app.thePreferences().speakResults = !app.thePreferences().speakResults;
            const Settings inMemory = Settings::of(app.thePreferences());
            if (limit >= 0) {
                const FileSizeLimit sizeLimit(static_cast<rlim_t>(limit));
                app.Close();
            } else {
                app.Close();
            }
            QCOMPARE(Settings::of(app.thePreferences()), inMemory);
        }
        for (QWidget *window : QApplication::topLevelWidgets())
            window->close();
        QCOMPARE(readAll(file), before);
    }

    // --- Rate files ---

    void rateFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("folder");
        QTest::addColumn<int>("units"); // units of the class
        QTest::addColumn<QString>("lastName"); // the last unit's name; null: not checked

        QTest::newRow("empty: no units") << QByteArray() << false << 0 << QString();
        QByteArray binary;
        for (int k = 0; k < 4096; ++k)
            binary.append(static_cast<char>((k * 131 + 7) % 256));
        QTest::newRow("binary: no units") << binary << false << 0 << QString();
        QByteArray million;
        million.reserve(12 * 1000000);
        for (int k = 0; k < 1000000; ++k)
            million.append("u\t1\t0\tT\n");
        QTest::newRow("a million lines: a million units") << million << false << 1000000 << QString();
        // A folder exists and can be read, but not as text, like a binary
        // file: the class has no units (the other classes keep theirs).
        QTest::newRow("a folder in place of the file: no units") << QByteArray() << true << 0 << QString();
        QTest::newRow("CR-only line ends") << QByteArray("a\t1\rb\t2\rc\t3") << false << 3 << QString();
        QTest::newRow("one line of a megabyte") << QByteArray(1 << 20, 'x') << false << 1 << QString();
        QTest::newRow("invalid UTF-8 read as Latin-1")
            << QByteArray("\xFF\xFE\t3\n\xE9t\xE9\t2\n") << false << 2 << QStringLiteral("\u00E9t\u00E9");
        // Its last character cut short: not valid UTF-8 either.
        QTest::newRow("ending inside a UTF-8 sequence: Latin-1, nothing lost") << QByteArray(
            "deg\t1\narcsecond (\xE2\x80") << false << 2 << QStringLiteral("arcsecond (\u00E2\u0080");
    }

    void rateFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, folder);
        QFETCH(int, units);
        QFETCH(QString, lastName);
        const QString rates = dir.filePath(QStringLiteral("ConversionRates"));
        QVERIFY(QDir().mkpath(rates));
        const QString angles = QDir(rates).filePath(QStringLiteral("ConvertAngles.txt"));
        if (folder)
            QVERIFY(QDir().mkpath(angles));
        else
            QVERIFY(writeAll(angles, content));

        UnitTables tables;
        tables.LoadConversionRates(RateFolders(QStringList { rates }));
        const UnitList &list = tables.ConversionList(UnitClass::Angle);
        QCOMPARE(list.size() - 1, units);
        QVERIFY(!list.front().has_value());
        if (!lastName.isNull())
            QCOMPARE(list.back()->GetName(), lastName);
        // The other classes, without files here, keep their defaults.
        QCOMPARE(tables.ConversionList(UnitClass::Distance).size() - 1,
            UnitTables::GetDefaultConversionDataArray(UnitTables::DefaultConversionText(UnitClass::Distance))
                .size());
    }

    // --- Paste ---

    void paste_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");

        const int tenMegabytes = 10 * 1024 * 1024;
        // Far beyond the largest double: an infinity, as 1e999 gives.
        QTest::newRow("10 MB of digits") << QString(tenMegabytes / 10 * 10, QLatin1Char('7')) << Inf;
        QTest::newRow("10 MB of words") << QStringLiteral("lorem ipsum ").repeated(tenMegabytes / 12) << 0.0;
        QTest::newRow("a number and 10 MB of words")
            << QStringLiteral("42 ") + QStringLiteral("lorem ipsum ").repeated(tenMegabytes / 12) << 42.0;
        // What Copy writes for infinities and NaN pastes back as the value.
        QTest::newRow("NaN") << "NaN" << NaN;
        QTest::newRow("inf") << "inf" << Inf;
        QTest::newRow("-INF") << "-INF" << -Inf;
        QTest::newRow("Infinity") << "Infinity" << Inf;
        QTest::newRow("a word that starts with inf") << "information" << 0.0;
        QTest::newRow("1e999") << "1e999" << Inf;
        QTest::newRow("-1e999") << "-1e999" << -Inf;
        QTest::newRow("1e-999") << "1e-999" << 0.0;
        QTest::newRow("-0") << "-0" << -0.0;
        QTest::newRow("Arabic-Indic digits") << QStringLiteral("\u0661\u0662\u0663.\u0665") << 123.5;
        QTest::newRow("Devanagari digits") << QStringLiteral("\u0967\u0968\u0969\u096A") << 1234.0;
        QTest::newRow("full-width digits") << QStringLiteral("\uFF14\uFF12") << 42.0;
        QTest::newRow("no-break spaces between groups") << QStringLiteral("1\u00A0234\u00A0567") << 1234567.0;
        QTest::newRow("narrow no-break and thin spaces")
            << QStringLiteral("\u202F9\u2009876\u202F543") << 9876543.0;
        QTest::newRow("a no-break space alone") << QStringLiteral("\u00A0") << 0.0;
    }

    void paste()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        Preferences preferences { QString() };
        RecordingSpeaker speaker;
        const UnitTables units;
        winNormalCalculator window(preferences, speaker, units);
        QGuiApplication::clipboard()->setText(text);
        window.EditPaste_Action();
        const CalculatorState &state = window.engine().State();
        QVERIFY2(sameValue(state.CurrentNumber, value), qPrintable(QString::number(state.CurrentNumber)));
        QCOMPARE(state.currentCodeString, CodeFormat(value, ExpressionMask));
    }

    // --- Keys pressed far more often than anyone would ---

    void nestedBrackets()
    {
        // 10,000 opening brackets, 1, 10,000 closing brackets and "=": the
        // calculator accepts brackets as deep as it can evaluate, refuses the
        // rest as it refuses any misplaced bracket, and computes 1.
        Calculator calculator;
        calculator.type(QString(10000, QLatin1Char('(')) + QLatin1Char('1') + QString(10000, QLatin1Char(')'))
            + QLatin1Char('='));
        QVERIFY(calculator.view.dialogs.isEmpty());
        QCOMPARE(calculator.state().CurrentNumber, 1.0);
        QVERIFY(calculator.view.history.startsWith(QString(ScriptEngine::MaxNestingDepth, QLatin1Char('('))
            + QLatin1Char('1') + QString(ScriptEngine::MaxNestingDepth, QLatin1Char(')'))
            + QLatin1Char('\r')));
    }

    void hundredThousandDigits_data()
    {
        QTest::addColumn<QString>("digits");
        QTest::addColumn<double>("value");
        // 1 followed by 99,999 zeros is far beyond the largest double.
        QTest::addRow("an integer of %d digits", TypedDigits)
            << QLatin1Char('1') + QString(TypedDigits - 1, QLatin1Char('0')) << Inf;
        // 0.333… with 99,998 threes lies within 10^-99998 of 1/3, far closer
        // than to any point halfway between two doubles, so its nearest
        // double is 1/3's.
        QTest::addRow("a fraction of %d digits", TypedDigits)
            << QStringLiteral("0.") + QString(TypedDigits - 2, QLatin1Char('3')) << 1.0 / 3.0;
    }

    void hundredThousandDigits()
    {
        QFETCH(QString, digits);
        QFETCH(double, value);
        Calculator calculator;
        calculator.type(digits);
        QCOMPARE(calculator.state().EnteredNumberAsString, digits);
        QCOMPARE(calculator.state().currentCodeString, digits);
        QCOMPARE(calculator.state().CurrentNumber, value);
        calculator.type(QStringLiteral("="));
        QVERIFY(calculator.view.dialogs.isEmpty());
        QCOMPARE(calculator.state().CurrentNumber, value);
    }

    void everyKeyManyTimes_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<double>("value"); // the current number afterwards
        QTest::addColumn<QString>("expression"); // the expression text afterwards; null: not checked

        // From 2 on the display (typed on the keypad), the key is pressed
        // Presses times.
        for (const char *digit : { "0", "1", "5", "9" })
            QTest::addRow("%s", digit) << QString::fromLatin1(digit) << Inf
                                       << QLatin1Char('2') + QString(Presses, QLatin1Char(digit[0]));
        QTest::newRow(".") << "." << 2.0 << "2.";
        for (const char *op : { "+", "-", "*", "\\" })
            QTest::addRow("%s", op) << QString::fromLatin1(op) << 2.0 << QLatin1Char('2') + QLatin1String(op);
        QTest::newRow("÷") << "÷" << 2.0 << "2/";
        QTest::newRow("=") << "=" << 2.0 << "2.0e+0";
        QTest::newRow("± (an even number of times)") << "±" << 2.0 << QString();
        QTest::newRow("( (after a number it starts afresh; as deep as can be evaluated)")
            << "(" << 0.0 << QString(ScriptEngine::MaxNestingDepth, QLatin1Char('('));
        QTest::newRow(") (nothing to close)") << ")" << 2.0 << "2";
        QTest::newRow("π") << "π" << 2 * std::acos(0.0) << QString();
        QTest::newRow("e") << "e" << std::exp(1.0) << QString();
        QTest::newRow("EE (only once in a number)") << "EE" << 2.0 << "2e";
        QTest::newRow("Clear") << "Clear" << 0.0 << "";
        QTest::newRow("CE") << "CE" << 0.0 << "";
        QTest::newRow("mod") << "mod" << 2.0 << "2 mod ";
        for (const char *twoArguments : { "x^y", "n√x", "∑XtoY", "∏XtoY" }) {
            const QString key = QString::fromUtf8(twoArguments);
            const QString name = key == QLatin1String("x^y") ? QStringLiteral("pow")
                : key.startsWith(u'n')                       ? QStringLiteral("NthRoot")
                : key.startsWith(u'∑')                       ? QStringLiteral("SumXToY")
                                                             : QStringLiteral("MultiplyXToY");
            QTest::newRow(twoArguments) << key << 2.0 << name + QStringLiteral("(2,");
        }

        // One-argument functions: each press wraps the whole expression and
        // evaluates it, so the value is the function applied Presses times.
        struct Repeated
        {
            const char *key;
            double (*f)(double);
        };
        const Repeated repeated[] = {
            { "!", // 1 · 2 · … · ⌊|x|⌋, negated for negative x
                [](double x) {
                    double p = 1;
                    for (double k = 2; k <= std::floor(std::fabs(x)); ++k)
                        p *= k;
                    return x < 0 ? -p : p;
                } },
            { "|x|", [](double x) { return std::fabs(x); } },
            { "√", [](double x) { return std::sqrt(x); } },
            { "1/x", [](double x) { return 1 / x; } },
            { "log10", [](double x) { return std::log(x) / std::log(10.0); } },
            { "loge", [](double x) { return std::log(x); } },
            { "log2", [](double x) { return std::log(x) / std::log(2.0); } },
            { "10^x", [](double x) { return std::pow(10.0, x); } },
            { "e^x", [](double x) { return std::exp(x); } },
            { "2^x", [](double x) { return std::pow(2.0, x); } },
            { "x^2", [](double x) { return std::pow(x, 2.0); } },
            { "x^3", [](double x) { return std::pow(x, 3.0); } },
            { "round", [](double x) { return std::round(x); } },
            { "floor", [](double x) { return std::floor(x); } },
            { "ceil", [](double x) { return std::ceil(x); } },
            // 2 → 3 → 6 → 21 → 231 → 26796 → 359026206 → 6.4e16; from there
            // the upper bound is the largest 32-bit integer: 2^31·(2^31 − 1)/2.
            { "∑0toX",
                [](double x) {
                    const auto n = static_cast<std::int64_t>(std::min(std::round(x), 2147483647.0));
                    return static_cast<double>(n * (n + 1) / 2);
                } },
            { "DegToRad", [](double x) { return (x * (2 * std::acos(0.0))) / 180; } },
            { "RadToDeg", [](double x) { return (x * 180) / (2 * std::acos(0.0)); } },
            { "sin", [](double x) { return std::sin(x * 1.0); } },
            { "cos", [](double x) { return std::cos(x * 1.0); } },
            { "tan", [](double x) { return std::tan(x * 1.0); } },
            { "asin", [](double x) { return std::asin(x) / 1.0; } },
            { "acos", [](double x) { return std::acos(x) / 1.0; } },
            { "atan", [](double x) { return std::atan(x) / 1.0; } },
            { "sinh", [](double x) { return (std::exp(x) - std::exp(-x)) / 2; } },
            { "cosh", [](double x) { return (std::exp(x) + std::exp(-x)) / 2; } },
            { "tanh", [](double x) { return (std::exp(x) - std::exp(-x)) / (std::exp(x) + std::exp(-x)); } },
            { "csch", [](double x) { return 2 / (std::exp(x) - std::exp(-x)); } },
            { "sech", [](double x) { return 2 / (std::exp(x) + std::exp(-x)); } },
            { "coth", [](double x) { return (std::exp(x) + std::exp(-x)) / (std::exp(x) - std::exp(-x)); } },
            { "cosec", [](double x) { return 1 / std::sin(x * 1.0); } },
            { "sec", [](double x) { return 1 / std::cos(x * 1.0); } },
            { "cotan", [](double x) { return 1 / std::tan(x * 1.0); } },
        };
        for (const Repeated &r : repeated)
            QTest::newRow(r.key) << QString::fromUtf8(r.key) << iterate(r.f, Presses) << QString();
    }

    void everyKeyManyTimes()
    {
        QFETCH(QString, key);
        QFETCH(double, value);
        QFETCH(QString, expression);
        Calculator calculator;
        calculator.press(QStringLiteral("2"));
        for (int k = 0; k < Presses; ++k)
            calculator.press(key);
        const CalculatorState &state = calculator.state();
        QVERIFY2(calculator.view.dialogs.isEmpty(),
            qPrintable(calculator.view.dialogs.value(0).explanation.left(300)));
        QVERIFY2(sameValue(state.CurrentNumber, value),
            qPrintable(QString::number(state.CurrentNumber, 'g', 17) + QStringLiteral(" instead of ")
                + QString::number(value, 'g', 17)));
        if (!expression.isNull())
            QCOMPARE(state.currentCodeString, expression);
        QVERIFY(state.currentCodeString.count(QLatin1Char(')'))
            <= state.currentCodeString.count(QLatin1Char('(')));
    }

    void randomManyTimes()
    {
        Calculator calculator;
        for (int k = 0; k < Presses; ++k) {
            calculator.press(QStringLiteral("Random"));
            QVERIFY(calculator.state().CurrentNumber >= 0 && calculator.state().CurrentNumber < 1);
        }
        QVERIFY(calculator.view.dialogs.isEmpty());
    }
};

QTEST_MAIN(TestHostile)
#include "tst_hostile.moc"
