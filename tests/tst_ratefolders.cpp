// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversion/ratefolders.h"
#include "conversion/unittables.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestRateFolders : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString user, application;

    static QString shippedFolder() { return QStringLiteral(ZORVANE_SOURCE_DIR "/ConversionRates"); }

    static void writeFile(const QString &path, const QByteArray &content = "X\t1\t0\tT\n")
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
    }

    // The names of the units of a class, index 0 (no unit) left out.
    static QStringList unitNames(const UnitTables &tables, UnitClass unitClass)
    {
        QStringList names;
        const UnitList &list = tables.ConversionList(unitClass);
        for (qsizetype i = 1; i < list.size(); ++i)
            names.append(list[i] ? list[i]->GetName() : QStringLiteral("<none>"));
        return names;
    }

private Q_SLOTS:
    // A user folder and an application folder, empty for each test.
    void init()
    {
        QVERIFY(dir.isValid());
        user = dir.filePath(QStringLiteral("user"));
        application = dir.filePath(QStringLiteral("application"));
        for (const QString &folder : { user, application }) {
            QVERIFY(QDir(folder).removeRecursively());
            QVERIFY(QDir().mkpath(folder));
        }
    }

    void firstFolderThatHoldsTheFileWins_data()
    {
        QTest::addColumn<QString>("userHolds"); // "file", "folder" (a folder of that name) or ""
        QTest::addColumn<bool>("applicationHolds");
        QTest::addColumn<QString>("expected"); // "user", "application" or "" (the built-in default)

        QTest::newRow("only the application's") << "" << true << "application";
        QTest::newRow("the user's over the application's") << "file" << true << "user";
        QTest::newRow("only the user's") << "file" << false << "user";
        QTest::newRow("neither: the default") << "" << false << "";
        // The user's entry wins even when it is no file; loading then finds
        // no text in it, as it would in the application's folder.
        QTest::newRow("a folder of that name") << "folder" << true << "user";
    }

    void firstFolderThatHoldsTheFileWins()
    {
        QFETCH(QString, userHolds);
        QFETCH(bool, applicationHolds);
        QFETCH(QString, expected);

        const QString name = QStringLiteral("ConvertAngles.txt");
        if (userHolds == QLatin1String("file"))
            writeFile(QDir(user).filePath(name));
        else if (userHolds == QLatin1String("folder"))
            QVERIFY(QDir(user).mkdir(name));
        if (applicationHolds)
            writeFile(QDir(application).filePath(name));

        const QString found = RateFolders({ user, application }).GetConversionRatesFile(name);
        if (expected.isEmpty())
            QVERIFY2(found.isEmpty(), qPrintable(found));
        else
            QCOMPARE(found, QDir(expected == QLatin1String("user") ? user : application).filePath(name));
    }

    void anEmptyFolderNameIsNotTheWorkingFolder()
    {
        writeFile(QDir(user).filePath(QStringLiteral("ConvertAngles.txt")));
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(user));
        const RateFolders folders({ QString() });
        const QString found = folders.GetConversionRatesFile(QStringLiteral("ConvertAngles.txt"));
        QVERIFY(QDir::setCurrent(previous));
        QVERIFY2(found.isEmpty(), qPrintable(found));
        QVERIFY(folders.Folders().isEmpty());
    }

    // The user's angle file replaces the angle units and nothing else: every
    // other class keeps the units of the application's folder, which here
    // holds the shipped files.
    void aUserFileOverridesItsOwnClassOnly()
    {
        for (const UnitClassInfo &info : UnitClasses())
            QVERIFY(QFile::copy(
                QDir(shippedFolder()).filePath(info.fileName), QDir(application).filePath(info.fileName)));
        writeFile(QDir(user).filePath(QStringLiteral("ConvertAngles.txt")),
            "my turn\t6.283185307179586\t0\tT\nmy radian\t1\t0\tT\n");

        UnitTables both, applicationOnly;
        both.LoadConversionRates(RateFolders({ user, application }));
        applicationOnly.LoadConversionRates(RateFolders({ application }));

        for (const UnitClassInfo &info : UnitClasses()) {
            if (info.unitClass == UnitClass::Angle)
                continue;
            QCOMPARE(unitNames(both, info.unitClass), unitNames(applicationOnly, info.unitClass));
        }
        QCOMPARE(unitNames(both, UnitClass::Angle), QStringList({ "my turn", "my radian" }));
        QCOMPARE(both.FindUnit(UnitClass::Angle, QStringLiteral("my turn"))->GetFactor(), 6.283185307179586);
        QVERIFY(unitNames(applicationOnly, UnitClass::Angle).size() > 2);
    }

    void standardFoldersAreTheUsersThenTheApplications()
    {
        const QByteArray previous = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(user));
        const QString userFolder = RateFolders::UserFolder();
        const QStringList standard = RateFolders::Standard().Folders();
        if (previous.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", previous);

        QCOMPARE(userFolder, QDir(user).filePath(QStringLiteral("zorvane/ConversionRates")));
        QCOMPARE(standard, QStringList({ userFolder, UnitTables::ApplicationRatesFolder() }));
    }
};

QTEST_GUILESS_MAIN(TestRateFolders)
#include "tst_ratefolders.moc"
