// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a sequence of operations on one calculator: every key
// of the window, the digit and decimal keys, typed keys, EnterConstant with
// any double (infinities, NaN and every bit pattern included), the entry
// modes, the display bases, the angle modes, the memory keys on registers 0
// to 25, the speech options and the locale. After every step:
// - the expression text holds no more ")" than "(": every key that closes a
//   bracket checks for an open one;
// - while a number is being typed, the entry text is the tail of the
//   expression text;
// - the flag text is one of the texts the operations set;
// - GetPresentedString of the current number, of the stack's entries and of
//   the value just entered has, in every display base, the form and length
//   the base promises.
// Crashes, hangs and sanitizer reports are findings as well.
#include "app/preferences.h"
#include "engine/calculatorengine.h"
#include "engine/codecreation.h"
#include "engine/presentation.h"
#include "tools/fakecalculatorview.h"
#include "tools/recordingspeaker.h"

#include <QLocale>
#include <QString>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>

namespace {

using E = CalculatorEngine;

// Every operation of the window's keys that takes no argument, the two
// entry-mode buttons and the typed "-" and "=". The exponent's minus
// (DoEnterNegativePartOfEE) is reached only as the window reaches it: by the
// typed "-" right after an "e".
constexpr void (E::*Keys[])() = {
    &E::DoAdd,
    &E::DoSubtract,
    &E::DoMultiply,
    &E::DoDivide,
    &E::DoIntegerDivide,
    &E::DoXModY,
    &E::DoEnterOpenBracket,
    &E::DoEnterCloseBracket,
    &E::DoFindAnswer,
    &E::ChangeSign,
    &E::DoTryEnterOtherE,
    &E::Clear,
    &E::ClearEntry,
    &E::EnterPi,
    &E::EnterE,
    &E::DoGetRandom,
    &E::DoAbs,
    &E::DoSqrt,
    &E::DoDegToRad,
    &E::DoRadToDeg,
    &E::Do1OverX,
    &E::Do10PowX,
    &E::Do2PowX,
    &E::DoEPowX,
    &E::DoFactorial,
    &E::DoSumZeroToX,
    &E::DoLogBase10,
    &E::DoLogBase2,
    &E::DoLogBaseE,
    &E::DoSquareX,
    &E::DoCubeX,
    &E::DoFloor,
    &E::DoCeil,
    &E::DoRound,
    &E::DoXPowY,
    &E::DoNthRoot,
    &E::DoSumXToY,
    &E::DoMultiplyXToY,
    &E::DoSin,
    &E::DoCos,
    &E::DoTan,
    &E::DoArcSin,
    &E::DoArcCos,
    &E::DoArcTan,
    &E::DoSinh,
    &E::DoCosh,
    &E::DoTanh,
    &E::DoCsch,
    &E::DoSech,
    &E::DoCoth,
    &E::SetModeRPN,
    &E::SetModeInfix,
    &E::DoRPNEnter,
    &E::DoClearAllMem,
    &E::DoTypedMinus,
    &E::DoTypedEquals,
};

// The memory keys that work on the selected register.
constexpr void (E::*MemoryKeys[])(int) = {
    &E::DoSetMem,
    &E::DoUseMem,
    &E::DoClearMem,
    &E::DoMemAdd,
    &E::DoMemSubtract,
    &E::DoMemMultiply,
    &E::DoMemDivide,
    &E::DoAddMem,
    &E::DoSubtractMem,
    &E::DoMultiplyMem,
    &E::DoDivideMem,
};

constexpr const char *DisplayBases[] = {
    "2 (Binary)",
    "8 (Octal)",
    "10 (Denary, normal)",
    "16 (Hexadecimal)",
    "2 (Binary, Long version)",
    "8 (Octal, Long version)",
    "16 (Hexadecimal, Long version)",
};

// Values worth entering more often than random bit patterns find them.
constexpr double Special[] = {
    0.0,
    -0.0,
    1.0,
    -1.0,
    0.5,
    std::numeric_limits<double>::infinity(),
    -std::numeric_limits<double>::infinity(),
    std::numeric_limits<double>::quiet_NaN(),
    -std::numeric_limits<double>::quiet_NaN(),
    std::numeric_limits<double>::max(),
    std::numeric_limits<double>::lowest(),
    std::numeric_limits<double>::min(),
    std::numeric_limits<double>::denorm_min(),
    2147483647.0,
    2147483648.0,
    -2147483648.0,
    -2147483649.0,
    1e12,
    999999999999.5,
    1e-6,
    9007199254740993.0,
    171.0,
};

// Typed keys beyond the printable ASCII the input supplies directly.
constexpr char16_t TypedKeys[] = { u'÷', u'±', u'√', u'π', u'∑', u'\r', u'\x03', u'\x1b', u'\x7f', u'\t' };

const char *const Locales[] = { "C", "de_DE", "fr_FR", "en_US", "ar_EG" };

const QString FlagTexts[] = {
    QString(),
    QStringLiteral("Need more numbers"),
    QStringLiteral("+"),
    QStringLiteral("-"),
    QStringLiteral("*"),
    QStringLiteral("÷"),
    QStringLiteral("\\"),
    QStringLiteral("^"),
    QStringLiteral("modulo"),
    QStringLiteral("("),
    QStringLiteral(")"),
};

class Reader
{
public:
    Reader(const std::uint8_t *data, std::size_t size)
        : data(data)
        , size(size)
    { }
    bool atEnd() const { return position == size; }
    std::uint8_t byte() { return position < size ? data[position++] : 0; }
    std::uint64_t word()
    {
        std::uint64_t w = 0;
        for (int k = 0; k < 8; ++k)
            w = (w << 8) | byte();
        return w;
    }

private:
    const std::uint8_t *data;
    std::size_t size;
    std::size_t position = 0;
};

void check(bool condition, const char *what, const QString &detail = QString())
{
    if (condition)
        return;
    std::fprintf(stderr, "invariant broken: %s %s\n", what, qPrintable(detail));
    std::abort();
}

bool onlyOf(const QString &text, QLatin1String digits)
{
    return std::all_of(text.begin(), text.end(), [digits](QChar c) { return digits.contains(c); });
}

// x in every display base, as the popup promises it.
void checkPresentation(E &engine, FakeCalculatorView &view, double x)
{
    const QString chosen = view.displayBase;
    const QString entered = engine.State().EnteredNumberAsString;
    const QString detail = QString::number(std::bit_cast<std::uint64_t>(x), 16);
    for (const char *base : DisplayBases) {
        view.displayBase = QLatin1String(base);
        const QString s = engine.GetPresentedString(x);
        switch (*DisplayBaseFromText(view.displayBase)) {
        case DisplayBase::Binary:
            check(s.size() >= 1 && s.size() <= 32 && onlyOf(s, QLatin1String("01")), "binary", s);
            break;
        case DisplayBase::Octal:
            check(s.size() >= 1 && s.size() <= 11 && onlyOf(s, QLatin1String("01234567")), "octal", s);
            break;
        case DisplayBase::Hexadecimal:
            check(s.size() >= 1 && s.size() <= 8 && onlyOf(s, QLatin1String("0123456789ABCDEF")),
                "hexadecimal", s);
            break;
        case DisplayBase::Denary:
            // A typed number shorter than 12 characters is shown as typed;
            // otherwise at most 12 integer digits with 3 separators, a sign,
            // a point and 9 fraction digits (26), or a sign, one digit, a
            // point, 13 digits and an exponent of at most 3 digits (21).
            if (!entered.isEmpty() && entered.size() < 12)
                check(s.size() == entered.size(), "decimal: the typed text", s + QLatin1Char(' ') + entered);
            else
                check(!s.isEmpty() && s.size() <= 26, "decimal", s + QLatin1Char(' ') + detail);
            break;
        case DisplayBase::LongBinary:
            check(s.size() == 64 && onlyOf(s, QLatin1String("01")), "long binary", s);
            break;
        case DisplayBase::LongOctal:
            check(s.size() == 22 && onlyOf(s, QLatin1String("01234567")) && s[0] <= QLatin1Char('1'),
                "long octal", s);
            break;
        case DisplayBase::LongHexadecimal:
            check(s.size() == 18 && s.startsWith(QLatin1String("0x"))
                    && onlyOf(s.mid(2), QLatin1String("0123456789ABCDEF")),
                "long hexadecimal", s);
            break;
        }
    }
    view.displayBase = chosen;
}

void checkState(E &engine, FakeCalculatorView &view, std::optional<double> entered)
{
    const CalculatorState &state = engine.State();
    const QString &code = state.currentCodeString;
    check(code.count(QLatin1Char(')')) <= code.count(QLatin1Char('(')), "more \")\" than \"(\"", code);
    check(state.EnteredNumberAsString.isEmpty() || code.endsWith(state.EnteredNumberAsString),
        "the entry text is not the tail of the expression",
        state.EnteredNumberAsString + QLatin1String(" / ") + code);
    check(std::find(std::begin(FlagTexts), std::end(FlagTexts), state.flagString) != std::end(FlagTexts),
        "unknown flag text", state.flagString);
    checkPresentation(engine, view, state.CurrentNumber);
    if (entered)
        checkPresentation(engine, view, *entered);
    if (!state.rpnStack.isEmpty() && state.rpnStack.back() != state.CurrentNumber)
        checkPresentation(engine, view, state.rpnStack.back());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QLocale::setDefault(QLocale::c());
    Preferences preferences { QString() }; // defaults; never touches the disk
    FakeCalculatorView view;
    RecordingSpeaker speaker;
    CalculatorEngine engine(preferences, view, speaker);
    std::uint64_t randomState = 1;
    engine.SetRandomSource([&randomState] {
        randomState = randomState * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(randomState >> 11) * 0x1.0p-53;
    });
    engine.CreateMemoryValueList();
    engine.SetModeAlterControls();
    engine.RebuildRPNStackListbox();

    Reader in(data, size);
    while (!in.atEnd()) {
        std::optional<double> entered; // a value this step entered
        const std::uint8_t op = in.byte();
        if (op < 128) {
            engine.HandleKeyDown(QString(QLatin1Char(static_cast<char>(op))));
        } else if (op < 128 + std::size(Keys)) {
            (engine.*Keys[op - 128])();
        } else {
            switch ((op - 128 - std::size(Keys)) % 14) {
            case 0:
            case 1:
            case 2:
            case 3: {
                // The decimal key's caption is the locale's decimal separator.
                const int key = in.byte() % 11;
                engine.NumberKey(key == 10 ? LocalDecimalSeparator() : QString(QLatin1Char('0' + key)));
                break;
            }
            case 4:
                entered = std::bit_cast<double>(in.word());
                engine.EnterConstant(*entered);
                break;
            case 5:
                entered = Special[in.byte() % std::size(Special)];
                engine.EnterConstant(*entered);
                break;
            case 6:
            case 7: {
                const std::uint8_t which = in.byte();
                (engine.*MemoryKeys[which % std::size(MemoryKeys)])(in.byte() % 26);
                break;
            }
            case 8:
                view.displayBase = QLatin1String(DisplayBases[in.byte() % std::size(DisplayBases)]);
                engine.DisplayBaseChanged();
                break;
            case 9:
                view.angleMode = in.byte() % 10;
                engine.AngleModeChanged();
                break;
            case 10:
                engine.HandleKeyDown(QString(QChar(TypedKeys[in.byte() % std::size(TypedKeys)])));
                break;
            case 11:
                preferences.speakEverythingElse = !preferences.speakEverythingElse;
                break;
            case 12:
                preferences.speakResults = !preferences.speakResults;
                break;
            case 13:
                QLocale::setDefault(QLocale(QLatin1String(Locales[in.byte() % std::size(Locales)])));
                break;
            }
        }
        checkState(engine, view, entered);
        speaker.spoken.clear();
    }
    return 0;
}
