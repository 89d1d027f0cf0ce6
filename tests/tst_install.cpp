// SPDX-License-Identifier: GPL-3.0-or-later
// Installs the build into a temporary prefix with cmake --install and checks
// that the installed tree is complete, that the program starts from it, and
// that it reads the installed rate files, with a user's rate file taking over
// its own class only.
#include "conversion/unitclass.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Loaded
{
    QString source;
    int units = 0;
    QString firstUnit;
};

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

    QTemporaryDir prefix;
    QTemporaryDir home; // the user's folders for the installed programs

    QString installed(const QString &relative) const { return QDir(prefix.path()).filePath(relative); }
    QString userRates() const
    {
        return QDir(home.path()).filePath(QStringLiteral("data/zorvane/ConversionRates"));
    }

    // A process that sees the temporary home instead of the real one.
    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(
            QStringLiteral("XDG_DATA_HOME"), QDir(home.path()).filePath(QStringLiteral("data")));
        environment.insert(
            QStringLiteral("XDG_CONFIG_HOME"), QDir(home.path()).filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return environment;
    }

    // What zorvane-rates, run beside the installed zorvane, says each class
    // was loaded from, by rate-file name.
    QHash<QString, Loaded> loadedRates() const
    {
        QProcess process;
        process.setProcessEnvironment(environment());
        process.start(installed(QStringLiteral("bin/zorvane-rates")), {});
        QHash<QString, Loaded> loaded;
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            return loaded;
        const QStringList lines
            = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        for (const QString &line : lines) {
            const QStringList fields = line.split(u'\t');
            if (fields.size() == 4)
                loaded.insert(fields[0], { fields[1], fields[2].toInt(), fields[3] });
        }
        return loaded;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(prefix.isValid());
        QVERIFY(home.isValid());
        const QString cmake = QStandardPaths::findExecutable(QStringLiteral("cmake"));
        QVERIFY2(!cmake.isEmpty(), "cmake is not on the PATH");

        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(cmake,
            { QStringLiteral("--install"), QStringLiteral(ZORVANE_BINARY_DIR), QStringLiteral("--prefix"),
                prefix.path() });
        QVERIFY(install.waitForFinished(120000));
        QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
            install.readAll().constData());

        // The probe reads the rate folders exactly as the installed program
        // does, relative to its own executable: put it beside zorvane.
        QVERIFY(QFile::copy(QStringLiteral(ZORVANE_BINARY_DIR "/tools/zorvane-rates"),
            installed(QStringLiteral("bin/zorvane-rates"))));
    }

    void installedTreeIsComplete_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("executable") << "bin/zorvane";
        QTest::newRow("menu entry") << "share/applications/org.zorvane.Zorvane.desktop";
        QTest::newRow("metainfo") << "share/metainfo/org.zorvane.Zorvane.metainfo.xml";
        QTest::newRow("icon") << "share/icons/hicolor/scalable/apps/org.zorvane.Zorvane.svg";
        for (const UnitClassInfo &info : UnitClasses())
            QTest::newRow(info.fileName.data()) << "share/zorvane/ConversionRates/" + QString(info.fileName);
    }

    void installedTreeIsComplete()
    {
        QFETCH(QString, file);
        QVERIFY2(QFileInfo(installed(file)).isFile(), qPrintable(file));
    }

    void installedFilesAreTheShippedOnes()
    {
        QCOMPARE(
            readBytes(installed(QStringLiteral("share/icons/hicolor/scalable/apps/org.zorvane.Zorvane.svg"))),
            readBytes(QStringLiteral(ZORVANE_SOURCE_DIR "/resources/zorvane.svg")));
        for (const UnitClassInfo &info : UnitClasses()) {
            const QString name = info.fileName;
            QVERIFY2(readBytes(installed(QStringLiteral("share/zorvane/ConversionRates/") + name))
                    == readBytes(QStringLiteral(ZORVANE_SOURCE_DIR "/ConversionRates/") + name),
                qPrintable(name));
        }
    }

    void installedProgramStarts()
    {
        QProcess zorvane;
        zorvane.setProcessEnvironment(environment());
        zorvane.setProcessChannelMode(QProcess::ForwardedChannels);
        zorvane.start(installed(QStringLiteral("bin/zorvane")), {});
        QVERIFY2(zorvane.waitForStarted(), qPrintable(zorvane.errorString()));
        // The calculator runs until it is told to quit: it must still be
        // running after its start-up, not have ended on its own.
        QVERIFY2(!zorvane.waitForFinished(3000), "the installed zorvane ended by itself");
        zorvane.kill();
        zorvane.waitForFinished();
    }

    void installedProgramReadsTheInstalledRateFiles()
    {
        QVERIFY(QDir(userRates()).removeRecursively());
        const QHash<QString, Loaded> loaded = loadedRates();
        QCOMPARE(loaded.size(), UnitClassCount);
        const QString installedRates
            = QFileInfo(installed(QStringLiteral("share/zorvane/ConversionRates"))).canonicalFilePath();
        for (const UnitClassInfo &info : UnitClasses()) {
            const Loaded &rates = loaded.value(info.fileName);
            QCOMPARE(
                QFileInfo(rates.source).canonicalFilePath(), QDir(installedRates).filePath(info.fileName));
            QVERIFY(rates.units > 1);
        }
    }

    void aUserRateFileOverridesOneClassOnly()
    {
        const QHash<QString, Loaded> before = loadedRates();
        QVERIFY(QDir().mkpath(userRates()));
        const QString angles = QDir(userRates()).filePath(QStringLiteral("ConvertAngles.txt"));
        QFile file(angles);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("my turn\t6.283185307179586\t0\tT\nmy radian\t1\t0\tT\n");
        file.close();

        const QHash<QString, Loaded> after = loadedRates();
        QVERIFY(QDir(userRates()).removeRecursively());
        QCOMPARE(after.size(), UnitClassCount);
        for (const UnitClassInfo &info : UnitClasses()) {
            const Loaded &was = before.value(info.fileName), &is = after.value(info.fileName);
            if (info.unitClass == UnitClass::Angle) {
                QCOMPARE(is.source, angles);
                QCOMPARE(is.units, 2);
                QCOMPARE(is.firstUnit, QStringLiteral("my turn"));
            } else {
                QCOMPARE(is.source, was.source);
                QCOMPARE(is.units, was.units);
                QCOMPARE(is.firstUnit, was.firstUnit);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
