// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/preferences.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

class TestPreferences : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("Zorvane Preferences")); }

    void writeFile(const QByteArray &bytes)
    {
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray readFile()
    {
        QFile file(path());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }

private Q_SLOTS:
    void init() { QFile::remove(path()); }

    void firstRunWritesTwelveDefaultBytes()
    {
        Preferences preferences(path());
        QCOMPARE(preferences.usingRPNMode, false);
        QCOMPARE(preferences.windowAlpha, 1.0f);
        QVERIFY(!QFile::exists(path())); // nothing written before quit
        QVERIFY(preferences.WriteToDisk());
        QCOMPARE(readFile(),
            QByteArray::fromHex("00000002"
                                "000000"
                                "3F800000"
                                "00"));
    }

    void readsAsTheStoredVersionSays_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("version");
        QTest::addColumn<bool>("rpn");
        QTest::addColumn<bool>("speakResults");
        QTest::addColumn<bool>("speakEverythingElse");
        QTest::addColumn<float>("alpha");
        QTest::addColumn<bool>("alphaUsed");

        const QByteArray allSet = QByteArray::fromHex("010101"
                                                      "3F000000"
                                                      "01");
        QTest::newRow("version 0 keeps defaults")
            << QByteArray::fromHex("00000000") + allSet << 0 << false << false << false << 1.0f << false;
        QTest::newRow("version 1 reads only the entry mode")
            << QByteArray::fromHex("00000001") + allSet << 1 << true << false << false << 1.0f << false;
        QTest::newRow("version 2 reads everything")
            << QByteArray::fromHex("00000002") + allSet << 2 << true << true << true << 0.5f << true;
        QTest::newRow("version 7 reads as version 2")
            << QByteArray::fromHex("00000007") + allSet << 7 << true << true << true << 0.5f << true;
        QTest::newRow("negative version keeps defaults")
            << QByteArray::fromHex("FFFFFFFF") + allSet << -1 << false << false << false << 1.0f << false;
        QTest::newRow("any non-zero byte is true") << QByteArray::fromHex("00000002"
                                                                          "7F8001"
                                                                          "3F400000"
                                                                          "FF")
                                                   << 2 << true << true << true << 0.75f << true;
        QTest::newRow("short file keeps the missing fields at their defaults") << QByteArray::fromHex(
            "00000002"
            "0101") << 2 << true << true << false << 1.0f << false;
        QTest::newRow("empty file keeps defaults")
            << QByteArray() << 2 << false << false << false << 1.0f << false;
        QTest::newRow("bytes after the twelfth are ignored") << QByteArray::fromHex("00000002"
                                                                                    "000100"
                                                                                    "3F800000"
                                                                                    "01"
                                                                                    "FFFF")
                                                             << 2 << false << true << false << 1.0f << true;
    }

    void readsAsTheStoredVersionSays()
    {
        QFETCH(QByteArray, bytes);
        writeFile(bytes);
        Preferences preferences(path());
        QTEST(int(preferences.fileVersion), "version");
        QTEST(preferences.usingRPNMode, "rpn");
        QTEST(preferences.speakResults, "speakResults");
        QTEST(preferences.speakEverythingElse, "speakEverythingElse");
        QTEST(preferences.windowAlpha, "alpha");
        QTEST(preferences.windowAlphaUsed, "alphaUsed");
    }

    void olderFileIsRewrittenAsVersionTwo()
    {
        writeFile(QByteArray::fromHex("0000000101"));
        Preferences preferences(path());
        QVERIFY(preferences.WriteToDisk());
        QCOMPARE(readFile(),
            QByteArray::fromHex("00000002"
                                "010000"
                                "3F800000"
                                "00"));
    }

    void writeFailingHalfWayLeavesTheOldFile()
    {
        const QByteArray old = QByteArray::fromHex("00000002"
                                                   "010101"
                                                   "3F000000"
                                                   "01");
        writeFile(old);
        Preferences preferences(path());
        preferences.usingRPNMode = false;

        // Limit the size of any file this process writes to 6 bytes, so that
        // the write fails half way through the record, even for root.
        rlimit saved {};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved;
        limited.rlim_cur = 6;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        const bool written = preferences.WriteToDisk();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);

        QVERIFY(!written);
        QCOMPARE(readFile(), old);
        QCOMPARE(
            QDir(dir.path()).entryList(QDir::Files), QStringList { QStringLiteral("Zorvane Preferences") });
    }
};

QTEST_GUILESS_MAIN(TestPreferences)
#include "tst_preferences.moc"
