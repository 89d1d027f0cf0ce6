// SPDX-License-Identifier: GPL-3.0-or-later
// The command-line driver zorvane-keys, run as a process.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

class TestCalculatorEngineTool : public QObject
{
    Q_OBJECT

    struct Run
    {
        QList<QJsonObject> shown;
        QByteArray errors;
    };

    static Run run(const QByteArray &input)
    {
        QProcess process;
        process.start(QStringLiteral(ZORVANE_BINARY_DIR "/tools/zorvane-keys"), QStringList());
        if (!process.waitForStarted())
            return {};
        process.write(input);
        process.closeWriteChannel();
        process.waitForFinished();
        Run result;
        for (const QByteArray &line : process.readAllStandardOutput().split('\n'))
            if (!line.isEmpty())
                result.shown << QJsonDocument::fromJson(line).object();
        result.errors = process.readAllStandardError();
        return result;
    }

private Q_SLOTS:
    void example()
    {
        const Run result
            = run("AddDigitToString 1\nAddDigitToString 2\nDoAdd\nAddDigitToString 3\nDoFindAnswer\nshow\n");
        QCOMPARE(result.shown.size(), 1);
        const QJsonObject &shown = result.shown.front();
        QCOMPARE(shown.value("display").toString(), QStringLiteral("15"));
        QCOMPARE(shown.value("history").toString(), QStringLiteral("12+3\r= 15\r\r"));
        QCOMPARE(shown.value("expression").toString(), QStringLiteral("1.5e+1"));
        QCOMPARE(shown.value("entry").toString(), QString());
        QCOMPARE(shown.value("flag").toString(), QString());
        QCOMPARE(shown.value("current").toString(), QStringLiteral("1.5e+1"));
        QCOMPARE(shown.value("stack").toArray(), QJsonArray());
        QCOMPARE(shown.value("memories").toArray().size(), 26);
        QCOMPARE(shown.value("memories").toArray().at(25).toString(), QStringLiteral("Z (0)"));
        QCOMPARE(shown.value("spoken").toArray(), QJsonArray());
        QCOMPARE(shown.value("dialogs").toArray(), QJsonArray());
        QVERIFY(result.errors.isEmpty());
    }

    void speechDialogsAndKeys()
    {
        const Run result = run("speak everything on\n"
                               "speak results on\n"
                               "HandleKeyDown 7\n"
                               "HandleKeyDown \\r\n"
                               "show\n"
                               "NoSuchOperation\n"
                               "DoSetMem nine\n"
                               "DoSetMem 2\n"
                               "NumberKey 2\n"
                               "DoXPowY\n"
                               "ChangeSign\n"
                               "show\n"
                               "SetModeRPN\n"
                               "EnterConstant 2.5\n"
                               "base 2 (Binary)\n"
                               "angle 5\n"
                               "show\n");
        QCOMPARE(result.shown.size(), 3);
        const QJsonObject &first = result.shown.at(0);
        QCOMPARE(first.value("display").toString(), QStringLiteral("7"));
        const QJsonArray spoken = first.value("spoken").toArray();
        QCOMPARE(spoken.size(), 3);
        QCOMPARE(spoken.at(0).toObject().value("text").toString(), QStringLiteral("7"));
        QCOMPARE(spoken.at(1).toObject().value("text").toString(), QStringLiteral("Equals"));
        QCOMPARE(spoken.at(2).toObject().value("text").toString(), QStringLiteral("7.0e+0"));
        QCOMPARE(spoken.at(2).toObject().value("mode").toString(), QStringLiteral("interrupt"));

        const QJsonObject &second = result.shown.at(1);
        QCOMPARE(second.value("memories").toArray().at(2).toString(), QStringLiteral("C (7)"));
        QCOMPARE(second.value("flag").toString(), QStringLiteral("Need more numbers"));
        const QJsonArray dialogs = second.value("dialogs").toArray();
        QCOMPARE(dialogs.size(), 2);
        QCOMPARE(dialogs.at(0).toObject().value("icon").toString(), QStringLiteral("caution"));
        QVERIFY(dialogs.at(0)
                    .toObject()
                    .value("explanation")
                    .toString()
                    .endsWith(QStringLiteral("\r\x03Unrecognised code: ',' found in -pow(2,")));

        const QJsonObject &third = result.shown.at(2);
        QCOMPARE(third.value("stack").toArray(), QJsonArray { QStringLiteral("2.5e+0") });
        QCOMPARE(third.value("dialogs").toArray(), QJsonArray());
        const QJsonArray lastSpoken = third.value("spoken").toArray();
        QCOMPARE(lastSpoken.last().toObject().value("text").toString(),
            QStringLiteral("Changing angle mode to Degrees"));
        QCOMPARE(third.value("display").toString(), QStringLiteral("10"));

        const QList<QByteArray> errors = result.errors.trimmed().split('\n');
        QCOMPARE(errors.size(), 2);
        QVERIFY(errors.at(0).contains("line 6") && errors.at(0).contains("NoSuchOperation"));
        QVERIFY(errors.at(1).contains("line 7") && errors.at(1).contains("DoSetMem"));
    }
};

QTEST_GUILESS_MAIN(TestCalculatorEngineTool)
#include "tst_calculatorengine_tool.moc"
