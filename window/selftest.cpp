// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/selftest.h"

#include "app/preferences.h"
#include "engine/calculatorview.h"
#include "engine/codetext.h"
#include "window/fastprogressbar.h"
#include "window/testing.h"

#include <QApplication>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace {

using E = CalculatorEngine;
using Operation = void (E::*)();

// Phase 1: passes 0 to 460, the progress bar moving 10 per pass.
constexpr int kVerifiedPasses = 461;
constexpr int kVerifiedStep = 10;
// Phase 2: passes 0 to 4600, one per pass.
constexpr int kKeyPresses = 4601;
// Every this many passes the bar and the window are redrawn and user input
// is handled.
constexpr int kRefreshInterval = 23;

// One verified calculation: a, the operation, b, "=", and the value the
// result must have.
struct VerifiedCase
{
    const char *label;
    Operation operation;
    double (*expected)(double a, double b);
    // The message names the expression as it is just after "=" (the result's
    // literal) rather than just before it.
    bool codeTextAfterAnswer;
};

// a and b are whole numbers from 0 to 999: sums, differences, products and
// integer quotients are computed in integers, exactly, and only then turned
// into doubles.
std::int64_t whole(double x)
{
    return static_cast<std::int64_t>(x);
}

// Integer division by zero has no value. The calculator's "\" gives what
// a ÷ 0 gives, +infinity for a positive a and NaN for 0 \ 0, and that is
// the value expected: b = 0 is checked like any other case (and 0 \ 0, like
// 0 ÷ 0, is reported because a NaN equals nothing).
double integerQuotient(double a, double b)
{
    if (whole(b) == 0)
        return std::trunc(a / b);
    return static_cast<double>(whole(a) / whole(b));
}

// clang-format off
constexpr std::array<VerifiedCase, 5> kVerifiedCases { {
    { "add, ", &E::DoAdd, [](double a, double b) { return static_cast<double>(whole(a) + whole(b)); }, true },
    { "sub, ", &E::DoSubtract, [](double a, double b) { return static_cast<double>(whole(a) - whole(b)); }, false },
    { "mul, ", &E::DoMultiply, [](double a, double b) { return static_cast<double>(whole(a) * whole(b)); }, false },
    { "div, ", &E::DoDivide, [](double a, double b) { return a / b; }, false },
    { "idv, ", &E::DoIntegerDivide, &integerQuotient, false },
} };
// clang-format on

// What a random key press does besides running one named operation.
enum class Press
{
    Operation, // appends its label to sequence, runs its operation
    TypedMinus, // the typed "-": the exponent's sign after an "e", else subtract
    Equals, // "=", then sequence starts afresh
};

struct KeyCase
{
    Press press;
    const char *label; // the operation's name
    Operation operation;
};

constexpr KeyCase op(const char *label, Operation operation)
{
    return { Press::Operation, label, operation };
}

// The 46 cases of phase 2; |x| is there twice and so comes up twice as often.
// clang-format off
constexpr std::array<KeyCase, 46> kKeyCases { {
    op("Do10PowX", &E::Do10PowX), op("Do1OverX", &E::Do1OverX), op("Do2PowX", &E::Do2PowX),
    op("DoAbs", &E::DoAbs), op("DoAbs", &E::DoAbs), op("DoArcCos", &E::DoArcCos),
    op("DoArcSin", &E::DoArcSin), op("DoArcTan", &E::DoArcTan), op("DoCeil", &E::DoCeil),
    op("DoCos", &E::DoCos), op("DoCosh", &E::DoCosh), op("DoCoth", &E::DoCoth),
    op("DoCsch", &E::DoCsch), op("DoCubeX", &E::DoCubeX), op("DoDegToRad", &E::DoDegToRad),
    op("DoDivide", &E::DoDivide), op("DoEnterCloseBracket", &E::DoEnterCloseBracket),
    { Press::TypedMinus, nullptr, nullptr },
    op("DoEnterOpenBracket", &E::DoEnterOpenBracket), op("DoEPowX", &E::DoEPowX),
    op("DoFactorial", &E::DoFactorial),
    { Press::Equals, nullptr, nullptr },
    op("DoFloor", &E::DoFloor), op("DoGetRandom", &E::DoGetRandom),
    op("DoIntegerDivide", &E::DoIntegerDivide), op("DoLogBase10", &E::DoLogBase10),
    op("DoLogBase2", &E::DoLogBase2), op("DoLogBaseE", &E::DoLogBaseE), op("DoMultiply", &E::DoMultiply),
    op("DoMultiplyXToY", &E::DoMultiplyXToY), op("DoNthRoot", &E::DoNthRoot),
    op("DoRadToDeg", &E::DoRadToDeg), op("DoRound", &E::DoRound), op("DoSech", &E::DoSech),
    op("DoSin", &E::DoSin), op("DoSinh", &E::DoSinh), op("DoSqrt", &E::DoSqrt),
    op("DoSquareX", &E::DoSquareX), op("DoSubtract", &E::DoSubtract), op("DoSumXToY", &E::DoSumXToY),
    op("DoSumZeroToX", &E::DoSumZeroToX), op("DoTan", &E::DoTan), op("DoTanh", &E::DoTanh),
    op("DoTryEnterOtherE", &E::DoTryEnterOtherE), op("DoXModY", &E::DoXModY), op("DoXPowY", &E::DoXPowY),
} };
// clang-format on

} // namespace

SelfTest::SelfTest(CalculatorEngine &engine, CalculatorView &view, const Preferences &preferences,
    FastProgressBar &prbTests, CalculatorEngine::RandomSource random, QWidget *window)
    : engine(engine)
    , view(view)
    , preferences(preferences)
    , prbTests(prbTests)
    , random(std::move(random))
    , window(window)
{
    // Only a shown window can be closed by its user; a hidden one is nothing
    // to watch.
    watchingWindow = window && window->isVisible();
    if (watchingWindow && window->testAttribute(Qt::WA_DeleteOnClose)) {
        windowDeletesOnClose = true;
        window->setAttribute(Qt::WA_DeleteOnClose, false);
    }
}

SelfTest::~SelfTest()
{
    if (!windowDeletesOnClose || !window)
        return;
    window->setAttribute(Qt::WA_DeleteOnClose, true);
    // Closed during the test: the deletion that the close put off.
    if (!window->isVisible())
        window->deleteLater();
}

bool SelfTest::TEST_ALL()
{
    if (!RunVerifiedArithmetic())
        return false;
    QApplication::beep();
    if (!RunRandomKeyPresses())
        return false;
    view.ShowMessage(QStringLiteral("Test completed!"));
    return true;
}

bool SelfTest::RunVerifiedArithmetic()
{
    return runPasses(kVerifiedPasses, kVerifiedStep, &SelfTest::verifiedPass);
}

bool SelfTest::RunRandomKeyPresses()
{
    return runPasses(kKeyPresses, 1, &SelfTest::keyPress);
}

// One phase: before each pass the bar moves on, and after it the event loop
// gets its turn.
bool SelfTest::runPasses(int passes, int progressStep, void (SelfTest::*pass)())
{
    for (int i = 0; i < passes; ++i) {
        prbTests.setValue(i * progressStep);
        if (!showProgress(i))
            return false;
        (this->*pass)();
        if (!letBackgroundWorkRun())
            return false;
    }
    return true;
}

int SelfTest::draw(double scale)
{
    return static_cast<int>(std::floor(random() * scale));
}

void SelfTest::verifiedPass()
{
    const double a = draw(1000);
    const double b = draw(1000);
    // A source outside [0, 1) must not read past the table.
    const int k = std::clamp(draw(4.99999), 0, static_cast<int>(kVerifiedCases.size()) - 1);
    const VerifiedCase &test = kVerifiedCases[k];

    engine.EnterConstant(a);
    (engine.*test.operation)();
    engine.EnterConstant(b);
    QString codeText = engine.State().currentCodeString;
    engine.DoFindAnswer();
    if (test.codeTextAfterAnswer)
        codeText = engine.State().currentCodeString;

    if (!preferences.usingRPNMode)
        Testing::AssertEquals(view, engine.State().CurrentNumber, test.expected(a, b), a, b,
            QLatin1String(test.label) + codeText);
}

void SelfTest::keyPress()
{
    const int k = std::clamp(draw(45.9999), 0, static_cast<int>(kKeyCases.size()) - 1);
    const KeyCase &key = kKeyCases[k];
    switch (key.press) {
    case Press::Operation:
        engine.AppendToSequence(QLatin1String(key.label));
        (engine.*key.operation)();
        break;
    case Press::TypedMinus:
        // Decided here rather than by the engine's typed minus, so that
        // sequence names the operation that actually runs.
        if (LastCharacter(engine.State().EnteredNumberAsString).toUpper() == QLatin1String("E")) {
            engine.AppendToSequence(QStringLiteral("DoEnterNegativePartOfEE"));
            engine.DoEnterNegativePartOfEE();
        } else {
            engine.AppendToSequence(QStringLiteral("DoSubtract"));
            engine.DoSubtract();
        }
        break;
    case Press::Equals:
        engine.DoFindAnswer();
        engine.ClearSequence();
        break;
    }
}

// Every 23rd pass the bar is repainted at once and all pending events are
// handled, input included, so that the bar and the window are redrawn and the
// user can work with the window, or close it. Returns false when the window
// is closed or gone: the test must then touch nothing of it any more.
bool SelfTest::showProgress(int pass)
{
    if (pass % kRefreshInterval != 0)
        return true;
    prbTests.repaint();
    QCoreApplication::processEvents();
    return windowStillOpen();
}

// After every pass, work handed to this thread runs: queued calls, such as
// those from the speech engine. Timers, repaints and input wait for the next
// refresh, which keeps the passes in between quick.
bool SelfTest::letBackgroundWorkRun()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    return windowStillOpen();
}

bool SelfTest::windowStillOpen() const
{
    return !watchingWindow || (window && window->isVisible());
}
