// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the zorvane-eval driver as a separate process.
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

class TestZorvaneEval : public QObject
{
    Q_OBJECT

    // The driver's output lines for the given input lines.
    static QStringList run(const QStringList &lines, const QString &locale = QStringLiteral("C.UTF-8"))
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("LANG"));
        environment.remove(QStringLiteral("LC_NUMERIC"));
        environment.insert(QStringLiteral("LC_ALL"), locale);
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(ZORVANE_BINARY_DIR "/tools/zorvane-eval"), {});
        if (!process.waitForStarted())
            return { QStringLiteral("did not start") };
        process.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
        process.closeWriteChannel();
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            return { QStringLiteral("did not finish") };
        return QString::fromUtf8(process.readAllStandardOutput())
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private Q_SLOTS:
    void evaluatesLineByLine()
    {
        const QStringList output
            = run({ QStringLiteral("2+3*4"), QStringLiteral("1/0"), QStringLiteral("0/0"),
                QStringLiteral("0.0000012346"), QStringLiteral("-1234.5"), QStringLiteral("result*2"),
                QStringLiteral("Sqrt(2"), QStringLiteral("result"), QStringLiteral("Foo(1)") });
        const QStringList expected { QStringLiteral("1.4e+1\t14"), QStringLiteral("INF\tINF"),
            QStringLiteral("NAN\tNAN"), QStringLiteral("1.2346e-6\t.000001235"),
            QStringLiteral("-1.2345e+3\t-1,234.5"),
            // result carries over from the line before.
            QStringLiteral("-2.469e+3\t-2,469"),
            QStringLiteral("error\t1\t3\tExpected ')' but found the end of the line"),
            // A line that does not compile leaves result as it was.
            QStringLiteral("-2.469e+3\t-2,469"), QStringLiteral("error\t1\t5\tUnknown function 'Foo'") };
        QCOMPARE(output, expected);
    }

    void followsTheLocaleOfTheEnvironment()
    {
        const QStringList output
            = run({ QStringLiteral("1234.5"), QStringLiteral("1/2") }, QStringLiteral("de_DE.UTF-8"));
        QCOMPARE(
            output, (QStringList { QStringLiteral("1.2345e+3\t1.234,5"), QStringLiteral("5.0e-1\t,5") }));
    }
};

QTEST_GUILESS_MAIN(TestZorvaneEval)
#include "tst_zorvaneeval.moc"
