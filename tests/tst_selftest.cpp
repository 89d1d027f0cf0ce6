// SPDX-License-Identifier: GPL-3.0-or-later
// The self-test of the debug page (both phases, its checks, its progress and
// its behaviour while the window closes) and the bug-report e-mail.
#include "conversion/unittables.h"
#include "engine/codecreation.h"
#include "engine/codetext.h"
#include "tests/calculatorfixture.h"
#include "window/contactwebsite.h"
#include "window/fastprogressbar.h"
#include "window/selftest.h"
#include "window/testing.h"
#include "window/winnormalcalculator.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>

class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("mailto"), this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("mailto")); }

    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl &url) { opened.append(url); }
};

namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();
constexpr double NotANumber = std::numeric_limits<double>::quiet_NaN();

const QString kCompleted = QStringLiteral("Test completed!");
const QString kFailed = QStringLiteral("Failed assertation in testing! ");

// The names that phase 2 appends, by case; case 17 (the typed minus) and
// case 21 ("=") are decided while the test runs.
const QStringList kKeyNames = QStringLiteral(
    "Do10PowX Do1OverX Do2PowX DoAbs DoAbs DoArcCos DoArcSin DoArcTan DoCeil DoCos DoCosh DoCoth DoCsch "
    "DoCubeX DoDegToRad DoDivide DoEnterCloseBracket - DoEnterOpenBracket DoEPowX DoFactorial = DoFloor "
    "DoGetRandom DoIntegerDivide DoLogBase10 DoLogBase2 DoLogBaseE DoMultiply DoMultiplyXToY DoNthRoot "
    "DoRadToDeg DoRound DoSech DoSin DoSinh DoSqrt DoSquareX DoSubtract DoSumXToY DoSumZeroToX DoTan "
    "DoTanh DoTryEnterOtherE DoXModY DoXPowY")
                                  .split(QLatin1Char(' '));

// A draw r that the self-test turns into n by floor(r × scale): the middle
// of n's interval.
double drawFor(int n, double scale)
{
    return (n + 0.5) / scale;
}

// The literal of a whole number as the expression text holds it; the form of
// zero is the formatter's choice.
QString literal(double value)
{
    return CodeFormat(value, ExpressionMask);
}

// The self-test's random source: a seeded generator, or a fixed script of
// draws repeated over and over. Every draw is kept with what phase 2 decides
// on: the entry text and the number of compile-error dialogs so far, and
// where the progress bar stood.
class Draws
{
public:
    struct Draw
    {
        double r;
        QString enteredNumber;
        qsizetype stopDialogs;
        int progress;
    };
    using DialogCount = std::function<qsizetype()>;

    Draws(const CalculatorState &state, const FastProgressBar &bar, DialogCount stopDialogs, quint32 seed)
        : state(state)
        , bar(bar)
        , stopDialogs(std::move(stopDialogs))
        , generator(seed)
    { }
    Draws(const Calculator &calculator, const FastProgressBar &bar, quint32 seed)
        : Draws(calculator.state(), bar, stopDialogsOf(calculator), seed)
    { }
    Draws(const Calculator &calculator, const FastProgressBar &bar, QList<double> script)
        : Draws(calculator, bar, 0u)
    {
        this->script = std::move(script);
    }

    CalculatorEngine::RandomSource source()
    {
        return [this] {
            const double r
                = script.isEmpty() ? generator.generateDouble() : script[taken.size() % script.size()];
            taken.append({ r, state.EnteredNumberAsString, stopDialogs(), bar.Value() });
            return r;
        };
    }

    // The sequence that phase 2 must leave when its draws are the last
    // `passes` ones: the names since the last "=" or compile error, each
    // followed by a carriage return.
    QString expectedSequence(qsizetype passes) const
    {
        QStringList names;
        const qsizetype first = taken.size() - passes;
        for (qsizetype j = first; j < taken.size(); ++j) {
            const Draw &draw = taken[j];
            const int k = int(std::floor(draw.r * 45.9999));
            if (k == 21)
                names.clear();
            else if (k == 17)
                names << (LastCharacter(draw.enteredNumber).toUpper() == QLatin1String("E")
                        ? QStringLiteral("DoEnterNegativePartOfEE")
                        : QStringLiteral("DoSubtract"));
            else
                names << kKeyNames[k];
            // A compile error during the pass empties the sequence as well.
            const qsizetype stopsAfter = j + 1 < taken.size() ? taken[j + 1].stopDialogs : stopDialogs();
            if (stopsAfter > draw.stopDialogs)
                names.clear();
        }
        QString sequence;
        for (const QString &name : names)
            sequence += name + QLatin1Char('\r');
        return sequence;
    }

    // The bar's value at the start of each pass of both phases.
    QList<int> progress() const
    {
        QList<int> values;
        for (qsizetype d = 0; d < taken.size(); d += d < 461 * 3 ? 3 : 1)
            values << taken[d].progress;
        return values;
    }

    QList<Draw> taken;

private:
    static DialogCount stopDialogsOf(const Calculator &calculator)
    {
        return [&calculator] {
            const QList<FakeCalculatorView::Dialog> &dialogs = calculator.view.dialogs;
            return std::count_if(
                dialogs.begin(), dialogs.end(), [](const FakeCalculatorView::Dialog &dialog) {
                    return dialog.icon == CalculatorView::ErrorIcon::Stop;
                });
        };
    }

    const CalculatorState &state;
    const FastProgressBar &bar;
    DialogCount stopDialogs;
    QRandomGenerator generator;
    QList<double> script;
};

// Answers every modal message box at once, with the button captioned
// `choose` or else "OK", and keeps what each box showed.
class MessageBoxAnswerer
{
public:
    struct Shown
    {
        QMessageBox::Icon icon;
        QString text;
    };

    explicit MessageBoxAnswerer(QString choose = QString())
        : choose(std::move(choose))
    {
        timer.callOnTimeout([this] { answer(); });
        timer.start(0);
    }

    QStringList texts(QMessageBox::Icon icon) const
    {
        QStringList found;
        for (const Shown &box : shown)
            if (box.icon == icon)
                found << box.text;
        return found;
    }

    QList<Shown> shown;

private:
    void answer()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        shown.append({ box->icon(), box->text() });
        QAbstractButton *button = box->button(QMessageBox::Ok);
        for (QAbstractButton *offered : box->buttons())
            if (offered->text() == choose)
                button = offered;
        QVERIFY(button);
        button->click();
    }

    QString choose;
    QTimer timer;
};

// The progress bar values phase 1 and then phase 2 step through.
QList<int> progressOfBothPhases()
{
    QList<int> values;
    for (int i = 0; i <= 460; ++i)
        values << i * 10;
    for (int j = 0; j <= 4600; ++j)
        values << j;
    return values;
}

// A window that owns its calculator and its progress bar, as the calculator
// window does, and notes the bar's value whenever the bar is painted.
class CalculatorWindow : public QWidget
{
public:
    CalculatorWindow()
    {
        prbTests->setGeometry(31, 330, 183, 9);
        prbTests->setMaximum(4600);
        prbTests->installEventFilter(this);
        resize(250, 350);
    }

    Calculator calculator;
    FastProgressBar *prbTests = new FastProgressBar(this);
    QList<int> paintedAt;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == prbTests && event->type() == QEvent::Paint)
            paintedAt << prbTests->Value();
        return false;
    }
};

// Whether needle occurs in haystack in its order, with gaps allowed.
bool isSubsequence(const QList<int> &needle, const QList<int> &haystack)
{
    qsizetype found = 0;
    for (const int value : haystack)
        if (found < needle.size() && needle[found] == value)
            ++found;
    return found == needle.size();
}

// What a calculator window needs of the application: the preferences
// (defaults, never on disk), speech and the unit tables.
struct Application
{
    Preferences preferences { QString() };
    RecordingSpeaker speaker;
    UnitTables unitTables;

    // A calculator window on screen (off screen here) showing its debug page.
    winNormalCalculator *openCalculator(bool deleteOnClose = false)
    {
        auto *window = new winNormalCalculator(preferences, speaker, unitTables);
        window->setAttribute(Qt::WA_DeleteOnClose, deleteOnClose);
        window->show();
        window->ShowModePage(6);
        return window;
    }
};

} // namespace

class TestSelfTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void assertEquals_data()
    {
        QTest::addColumn<double>("actual");
        QTest::addColumn<double>("expected");
        QTest::addColumn<bool>("fails");

        // clang-format off
        QTest::newRow("equal") << -2.0 << -2.0 << false;
        QTest::newRow("different") << 12.0 << 13.0 << true;
        QTest::newRow("one unit in the last place") << 0.1 + 0.2 << 0.3 << true;
        QTest::newRow("infinities") << Infinity << Infinity << false;
        QTest::newRow("opposite infinities") << Infinity << -Infinity << true;
        QTest::newRow("signed zeros are equal doubles") << 0.0 << -0.0 << false;
        QTest::newRow("NaN expected") << 1.0 << NotANumber << true;
        QTest::newRow("NaN result") << NotANumber << 1.0 << true;
        QTest::newRow("NaN against NaN") << NotANumber << NotANumber << true;
        // clang-format on
    }

    void assertEquals()
    {
        QFETCH(double, actual);
        QFETCH(double, expected);
        QFETCH(bool, fails);
        FakeCalculatorView view;
        Testing::AssertEquals(view, actual, expected, 5, 7, QStringLiteral("sub, 5.0e+0-7.0e+0"));
        QCOMPARE(view.messages,
            fails ? QStringList { QStringLiteral("Failed assertation in testing! sub, 5.0e+0-7.0e+0") }
                  : QStringList());
        QCOMPARE(view.dialogs.size(), 0);
    }

    // Phase 1 with every pass the same a, b and case: the result the
    // calculator must give, and the message when it is no match.
    void verifiedCases_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("k");
        QTest::addColumn<double>("result");
        QTest::addColumn<QString>("message"); // empty: the check passes

        const auto zeros = [](const char *op) { return literal(0) + QLatin1String(op) + literal(0); };
        // clang-format off
        QTest::newRow("add") << 999 << 998 << 0 << 1997.0 << QString();
        QTest::newRow("add zeros") << 0 << 0 << 0 << 0.0 << QString();
        QTest::newRow("sub") << 5 << 7 << 1 << -2.0 << QString();
        QTest::newRow("mul") << 999 << 999 << 2 << 998001.0 << QString();
        QTest::newRow("div") << 1 << 3 << 3 << 1.0 / 3.0 << QString();
        QTest::newRow("div by zero") << 7 << 0 << 3 << Infinity << QString();
        // a ÷ b expects NaN for 0 ÷ 0, and a NaN differs from everything.
        QTest::newRow("zero by zero") << 0 << 0 << 3 << NotANumber << "div, " + zeros("/");
        QTest::newRow("idv") << 999 << 7 << 4 << 142.0 << QString();
        QTest::newRow("idv exact") << 998 << 2 << 4 << 499.0 << QString();
        QTest::newRow("idv smaller") << 6 << 7 << 4 << 0.0 << QString();
        // Integer division by zero: the quotient of the whole parts in double
        // precision, cut toward zero, like a ÷ 0.
        QTest::newRow("idv by zero") << 7 << 0 << 4 << Infinity << QString();
        QTest::newRow("idv zero by zero") << 0 << 0 << 4 << NotANumber << "idv, " + zeros("\\");
        // clang-format on
    }

    void verifiedCases()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, k);
        QFETCH(double, result);
        QFETCH(QString, message);

        for (const bool rpn : { false, true }) {
            Calculator calculator;
            calculator.preferences.usingRPNMode = rpn;
            FastProgressBar bar;
            bar.setMaximum(4600);
            Draws draws(calculator, bar, { drawFor(a, 1000), drawFor(b, 1000), drawFor(k, 4.99999) });
            SelfTest test(calculator.engine, calculator.view, calculator.preferences, bar, draws.source());
            QVERIFY(test.RunVerifiedArithmetic());

            QCOMPARE(draws.taken.size(), 461 * 3);
            QCOMPARE(bar.Value(), 4600);
            if (rpn) {
                // All numbers and operations are entered; nothing is checked.
                QCOMPARE(calculator.view.messages, QStringList());
                continue;
            }
            const double actual = calculator.state().CurrentNumber;
            QVERIFY2(actual == result || (std::isnan(actual) && std::isnan(result)),
                qPrintable(QString::number(actual)));
            QCOMPARE(calculator.view.messages,
                message.isEmpty() ? QStringList() : QStringList(461, kFailed + message));
            QCOMPARE(calculator.view.dialogs.size(), 0);
        }
    }

    // The message names the expression as it was just before "=", except in
    // case 0, where it names the expression just after it. A view that clears
    // the calculator while "=" logs its result makes every check of 9 and 7
    // fail, as a click on Clear in the middle of the test would.
    void codeTextOfTheMessage_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("message");

        // clang-format off
        QTest::newRow("add") << 0 << "add, " + literal(0);
        QTest::newRow("sub") << 1 << "sub, 9.0e+0-7.0e+0";
        QTest::newRow("mul") << 2 << "mul, 9.0e+0*7.0e+0";
        QTest::newRow("div") << 3 << "div, 9.0e+0/7.0e+0";
        QTest::newRow("idv") << 4 << "idv, 9.0e+0\\7.0e+0";
        // clang-format on
    }

    void codeTextOfTheMessage()
    {
        QFETCH(int, k);
        QFETCH(QString, message);

        class ClearingView : public FakeCalculatorView
        {
        public:
            CalculatorEngine *engine = nullptr;
            void AppendToHistory(const QString &entry) override
            {
                FakeCalculatorView::AppendToHistory(entry);
                engine->Clear();
            }
        };
        Preferences preferences { QString() };
        ClearingView view;
        RecordingSpeaker speaker;
        CalculatorEngine engine(preferences, view, speaker);
        view.engine = &engine;
        FastProgressBar bar;
        const QList<double> script { drawFor(9, 1000), drawFor(7, 1000), drawFor(k, 4.99999) };
        qsizetype taken = 0;
        SelfTest test(engine, view, preferences, bar, [&] { return script[taken++ % script.size()]; });
        QVERIFY(test.RunVerifiedArithmetic());
        QCOMPARE(view.messages, QStringList(461, kFailed + message));
    }

    // The whole test on one seed, as "Test all" runs it.
    void wholeTest_data()
    {
        QTest::addColumn<bool>("rpn");
        QTest::newRow("infix") << false;
        QTest::newRow("RPN") << true;
    }

    void wholeTest()
    {
        QFETCH(bool, rpn);
        Calculator calculator;
        calculator.preferences.usingRPNMode = rpn;
        QRandomGenerator randomKey(7);
        calculator.engine.SetRandomSource([&] { return randomKey.generateDouble(); });
        FastProgressBar bar;
        bar.setMaximum(4600);
        Draws draws(calculator, bar, 20240607u);
        SelfTest test(calculator.engine, calculator.view, calculator.preferences, bar, draws.source());

        QVERIFY(test.TEST_ALL());

        // The calculator computes every case right: no failed check, and the
        // end of the test shown once, at the end.
        QCOMPARE(calculator.view.messages, QStringList { kCompleted });
        QCOMPARE(bar.Value(), 4600);
        // Three draws in each of 461 passes, then one in each of 4601, with
        // the bar stepping 10 and then 1 per pass.
        QCOMPARE(draws.taken.size(), 461 * 3 + 4601);
        QCOMPARE(draws.progress(), progressOfBothPhases());
        QCOMPARE(calculator.state().sequence, draws.expectedSequence(4601));
        QVERIFY(calculator.state().sequence.count(QLatin1Char('\r')) > 0);
    }

    // Phase 2 alone on a handful of seeds, in both entry modes: it survives
    // every pass, each error of the expression shows one of the two error
    // dialogs, and "Send Email..." there opens the bug report.
    void randomKeyPresses_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<bool>("rpn");
        QTest::addColumn<bool>("sendEmail");

        QTest::newRow("seed 1") << 1u << false << false;
        QTest::newRow("seed 2") << 2u << false << true;
        QTest::newRow("seed 3") << 3u << false << false;
        QTest::newRow("seed 4 RPN") << 4u << true << false;
        QTest::newRow("seed 5 RPN") << 5u << true << true;
        QTest::newRow("seed 6") << 6u << false << true;
    }

    void randomKeyPresses()
    {
        QFETCH(quint32, seed);
        QFETCH(bool, rpn);
        QFETCH(bool, sendEmail);
        Calculator calculator;
        calculator.preferences.usingRPNMode = rpn;
        calculator.view.chooseSendEmail = sendEmail;
        QRandomGenerator randomKey(seed + 100);
        calculator.engine.SetRandomSource([&] { return randomKey.generateDouble(); });
        FastProgressBar bar;
        bar.setMaximum(4600);
        Draws draws(calculator, bar, seed);
        SelfTest test(calculator.engine, calculator.view, calculator.preferences, bar, draws.source());

        QVERIFY(test.RunRandomKeyPresses());

        QCOMPARE(bar.Value(), 4600);
        QCOMPARE(draws.taken.size(), 4601);
        QCOMPARE(calculator.view.messages, QStringList());
        QCOMPARE(calculator.state().sequence, draws.expectedSequence(4601));
        // Each error dialog is one of the two, and "Send Email..." sends the
        // program that did not compile, or nothing for an unknown ending.
        QStringList reports;
        for (const FakeCalculatorView::Dialog &dialog : calculator.view.dialogs) {
            QVERIFY(dialog.message.startsWith(QStringLiteral("I'm terribly sorry")));
            if (dialog.icon == CalculatorView::ErrorIcon::Stop) {
                const QString marker = QStringLiteral("The code which caused this is: '");
                const qsizetype start = dialog.explanation.indexOf(marker);
                QVERIFY(start > 0);
                reports << dialog.explanation.mid(start + marker.size()).chopped(1);
            } else {
                QVERIFY(dialog.explanation.contains(QStringLiteral("Unrecognised code: '")));
                reports << QString();
            }
        }
        QCOMPARE(calculator.view.bugReports, sendEmail ? reports : QStringList());

        // The calculator still calculates.
        calculator.press(QStringLiteral("Clear"));
        calculator.engine.SetModeInfix();
        calculator.press(QStringLiteral("2 + 3 ="));
        QCOMPARE(calculator.state().CurrentNumber, 5.0);
    }

    // Every 23rd pass repaints the bar at once and lets the event loop run:
    // timers (and input) are served there, during both phases. Queued calls
    // run after every pass.
    void refreshAndEventsWhileRunning()
    {
        CalculatorWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.paintedAt.clear();
        QList<int> timerSawProgress;
        QTimer timer;
        timer.callOnTimeout(&window, [&] { timerSawProgress << window.prbTests->Value(); });
        timer.start(0);
        Calculator &calculator = window.calculator;
        Draws draws(calculator, *window.prbTests, 11u);
        // Each draw, made within a pass, queues a call that notes the pass.
        QList<int> queuedIn;
        QList<int> queuedRanIn;
        const auto drawAndQueue = [&, random = draws.source()] {
            queuedIn << window.prbTests->Value();
            QMetaObject::invokeMethod(
                &window, [&] { queuedRanIn << window.prbTests->Value(); }, Qt::QueuedConnection);
            return random();
        };
        SelfTest test(calculator.engine, calculator.view, calculator.preferences, *window.prbTests,
            drawAndQueue, &window);

        QVERIFY(test.TEST_ALL());
        timer.stop();

        QList<int> refreshes;
        for (int i = 0; i <= 460; i += 23)
            refreshes << i * 10;
        for (int j = 0; j <= 4600; j += 23)
            refreshes << j;
        QVERIFY(isSubsequence(refreshes, window.paintedAt));
        // The timer ran at refreshes only: during phase 1, before its end,
        // and again after the bar had started afresh for phase 2.
        QVERIFY(!timerSawProgress.isEmpty() && timerSawProgress.first() < 4600);
        QVERIFY(std::all_of(
            timerSawProgress.begin(), timerSawProgress.end(), [](int value) { return value % 23 == 0; }));
        const auto restart = std::adjacent_find(
            timerSawProgress.begin(), timerSawProgress.end(), [](int a, int b) { return b < a; });
        QVERIFY(restart != timerSawProgress.end() && *(restart + 1) < 4600);
        QCOMPARE(queuedRanIn, queuedIn);
        QCOMPARE(calculator.view.messages, QStringList { kCompleted });
    }

    // Closing the window in the middle of phase 2 ends the test there;
    // the window, kept while the test still runs, is deleted afterwards.
    void closingTheWindowStopsTheTest()
    {
        auto *window = new CalculatorWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QPointer<CalculatorWindow> alive(window);
        int closedAt = -1;
        bool inPhase2 = false;
        int last = 0;
        QTimer closer;
        closer.callOnTimeout(window, [&] {
            const int value = window->prbTests->Value();
            inPhase2 = inPhase2 || value < last;
            last = value;
            if (inPhase2 && value >= 1000 && closedAt < 0) {
                closedAt = value;
                window->close();
            }
        });
        closer.start(0);
        Calculator &calculator = window->calculator;
        {
            Draws draws(calculator, *window->prbTests, 12u);
            SelfTest test(calculator.engine, calculator.view, calculator.preferences, *window->prbTests,
                draws.source(), window);
            QVERIFY(!test.TEST_ALL());
            QVERIFY(alive);
            QVERIFY(!window->isVisible());
            QVERIFY(closedAt >= 1000);
            // The close came at a refresh, before its pass: that pass and
            // all after it were left out.
            QCOMPARE(window->prbTests->Value(), closedAt);
            QCOMPARE(draws.taken.size(), 461 * 3 + closedAt);
            QVERIFY(!calculator.view.messages.contains(kCompleted));
        }
        QTRY_VERIFY(!alive);
    }

    // A window deleted outright while the test handles events ends the test
    // at once, without a further touch of the calculator it owned.
    void deletingTheWindowStopsTheTest()
    {
        auto *window = new CalculatorWindow;
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QPointer<CalculatorWindow> alive(window);
        QTimer deleter;
        deleter.callOnTimeout(window, [&] {
            if (window->prbTests->Value() >= 2000)
                delete window;
        });
        deleter.start(0);
        Calculator &calculator = window->calculator;
        QRandomGenerator generator(13);
        SelfTest test(
            calculator.engine, calculator.view, calculator.preferences, *window->prbTests,
            [&] { return generator.generateDouble(); }, window);
        QVERIFY(!test.TEST_ALL());
        QVERIFY(!alive);
    }

    // "Test all" of the calculator window on one seed: the checks of
    // wholeTest through the window's real message boxes, with the bar on
    // show and the window's display redrawn by every key.
    void calculatorWindowTest_data()
    {
        QTest::addColumn<bool>("rpn");
        QTest::newRow("infix") << false;
        QTest::newRow("RPN") << true;
    }

    void calculatorWindowTest()
    {
        QFETCH(bool, rpn);
        Application application;
        application.preferences.usingRPNMode = rpn;
        const std::unique_ptr<winNormalCalculator> opened(application.openCalculator());
        winNormalCalculator &window = *opened;
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QRandomGenerator randomKey(7);
        window.engine().SetRandomSource([&] { return randomKey.generateDouble(); });
        const auto *prbTests = window.findChild<FastProgressBar *>(QStringLiteral("prbTests"));
        MessageBoxAnswerer answerer;
        Draws draws(
            window.engine().State(), *prbTests, [&] { return answerer.texts(QMessageBox::Critical).size(); },
            20240607u);

        window.TEST_ALL(draws.source());

        QCOMPARE(answerer.texts(QMessageBox::Information), QStringList { kCompleted });
        QCOMPARE(prbTests->Value(), 4600);
        QCOMPARE(draws.progress(), progressOfBothPhases());
        QCOMPARE(window.engine().State().sequence, draws.expectedSequence(4601));
    }

    // The key itself, on the platform's generator. A second click while the
    // test runs starts no second test inside the first.
    void testAllKey()
    {
        Application application;
        const std::unique_ptr<winNormalCalculator> opened(application.openCalculator());
        winNormalCalculator &window = *opened;
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *bevTestAll = window.findChild<QAbstractButton *>(QStringLiteral("bevTestAll"));
        const auto *prbTests = window.findChild<FastProgressBar *>(QStringLiteral("prbTests"));
        MessageBoxAnswerer answerer;
        bool clickedAgain = false;
        QTimer::singleShot(0, &window, [&] {
            QTest::mouseClick(bevTestAll, Qt::LeftButton);
            clickedAgain = true;
        });

        QTest::mouseClick(bevTestAll, Qt::LeftButton);

        QVERIFY(clickedAgain);
        QCOMPARE(prbTests->Value(), 4600);
        QCOMPARE(answerer.texts(QMessageBox::Information).count(kCompleted), 1);
        QCOMPARE(answerer.shown.last().text, kCompleted);
        QVERIFY(window.engine().State().sequence.isEmpty()
            || window.engine().State().sequence.endsWith(QLatin1Char('\r')));
    }

    // Closing the calculator window during the test ends the test in that
    // pass, and the window is released once the click has returned.
    void closingTheCalculatorWindowStopsTheTest()
    {
        Application application;
        winNormalCalculator *window = application.openCalculator(true);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QPointer<winNormalCalculator> alive(window);
        const auto *prbTests = window->findChild<FastProgressBar *>(QStringLiteral("prbTests"));
        MessageBoxAnswerer answerer;
        int closedAt = -1;
        QList<int> afterClose;
        bool inPhase2 = false;
        int last = 0;
        QTimer closer;
        closer.callOnTimeout(window, [&] {
            const int value = prbTests->Value();
            if (closedAt >= 0) {
                afterClose << value;
                return;
            }
            inPhase2 = inPhase2 || value < last;
            last = value;
            if (inPhase2 && value >= 1000) {
                closedAt = value;
                window->close();
            }
        });
        closer.start(0);

        QTest::mouseClick(window->findChild<QAbstractButton *>(QStringLiteral("bevTestAll")), Qt::LeftButton);

        QVERIFY(closedAt >= 1000);
        QVERIFY(!answerer.texts(QMessageBox::Information).contains(kCompleted));
        QTRY_VERIFY(!alive);
        QCOMPARE(afterClose, QList<int>(afterClose.size(), closedAt));
    }

    // "Test-Send Bug Report..." mails the expression; "Send Email..." in the
    // internal-error dialog mails a report without details.
    void bugReportKeysOfTheWindow()
    {
        Application application;
        const std::unique_ptr<winNormalCalculator> opened(application.openCalculator());
        winNormalCalculator &window = *opened;
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto click = [&](const char *name) {
            QTest::mouseClick(window.findChild<QAbstractButton *>(QString::fromLatin1(name)), Qt::LeftButton);
        };
        const auto body = [](const QUrl &url) {
            return QUrlQuery(url).queryItemValue(QStringLiteral("Body"), QUrl::FullyDecoded);
        };
        const QString sentence = QStringLiteral(
            "The following is meaningful for debugging and does not reveal personal details. ");
        UrlCatcher catcher;

        for (const char *key : { "bevNumberKey2", "bevAdd", "bevNumberKey3", "bevTestSendBugReport" })
            click(key);
        QCOMPARE(catcher.opened.size(), 1);
        QCOMPARE(body(catcher.opened[0]), sentence + QStringLiteral("2+3 (v1.1.0)"));

        // 2 x^y ± leaves an ending the completion does not know, twice.
        MessageBoxAnswerer answerer(QStringLiteral("Send Email..."));
        for (const char *key : { "bevClear", "bevNumberKey2", "bevXPowY", "bevSign" })
            click(key);
        QCOMPARE(answerer.texts(QMessageBox::Warning).size(), 2);
        QCOMPARE(catcher.opened.size(), 3);
        QCOMPARE(body(catcher.opened[1]), sentence + QStringLiteral(" (v1.1.0)"));
        QCOMPARE(body(catcher.opened[2]), sentence + QStringLiteral(" (v1.1.0)"));
    }

    // The bug report: the text of the message arrives at the mail program
    // exactly as the calculator wrote it, whatever the details hold.
    void bugReportUrl_data()
    {
        QTest::addColumn<QString>("details");

        QTest::newRow("blanks, ampersand and hash") << QStringLiteral("2+3 & x # y");
        QTest::newRow("query characters") << QStringLiteral("a=1?b=2&Subject=x");
        QTest::newRow("percent signs") << QStringLiteral("50% of %20 and %zz");
        QTest::newRow("plus") << QStringLiteral("1+1");
        QTest::newRow("program with line breaks")
            << QStringLiteral("result = 1/(\r\u0003Print \"\"\nnext line\r\n");
        QTest::newRow("beyond ASCII") << QStringLiteral("√(2)×π ÷ 3");
        QTest::newRow("empty") << QString();
    }

    void bugReportUrl()
    {
        QFETCH(QString, details);
        const QString body
            = QStringLiteral(
                  "The following is meaningful for debugging and does not reveal personal details. ")
            + details + QStringLiteral(" (v1.1.0)");

        UrlCatcher catcher;
        QVERIFY(ContactWebsite::EmailBugReport(details));
        QCOMPARE(catcher.opened.size(), 1);
        const QUrl url = catcher.opened.first();
        QVERIFY(url.isValid());
        QCOMPARE(url.scheme(), QStringLiteral("mailto"));
        QCOMPARE(url.path(), QStringLiteral("bugs@zorvane.org"));
        QVERIFY(!url.hasFragment());

        // Decoded as a mail program decodes it, from the text it is handed.
        const QUrl received = QUrl::fromEncoded(url.toEncoded(), QUrl::StrictMode);
        const QUrlQuery query(received);
        QCOMPARE(query.queryItems().size(), 2);
        QCOMPARE(query.queryItemValue(QStringLiteral("Subject"), QUrl::FullyDecoded),
            QStringLiteral("Bug in Zorvane"));
        QCOMPARE(query.queryItemValue(QStringLiteral("Body"), QUrl::FullyDecoded), body);
        QVERIFY(url.toEncoded().startsWith("mailto:bugs@zorvane.org?Subject=Bug%20in%20Zorvane&Body=The%20"));
    }
};

QTEST_MAIN(TestSelfTest)
#include "tst_selftest.moc"
