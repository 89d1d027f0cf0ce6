// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary program text through ScriptEngine::Run. Each input runs as three
// programs: the text itself, once with a calculation context and once without;
// the text as the expression of the program that "=" builds ("result = " +
// text + CR + `Print ""`); and as the expression of an RPN script
// ("result = " + text). After every run the events must fit the program:
// - a program that does not compile raises CompilerError exactly once, no
//   Print, and leaves `result` untouched;
// - a program that compiles raises no CompilerError and one Print per Print
//   statement, so the program of "=" raises exactly one of the two events and
//   the RPN script (which has no Print) raises Print never and CompilerError
//   at most once. "Neither event" is thus right only for a program without a
//   Print statement that compiles.
// Crashes, hangs (libFuzzer's -timeout) and stack overflows (AddressSanitizer)
// are findings as well.
#include "engine/scriptengine.h"
#include "engine/xmathclass.h"

#include <QString>
#include <QStringList>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char *what, const QString &source)
{
    if (condition)
        return;
    std::fprintf(stderr, "invariant broken: %s\nsource: %s\n", what, qPrintable(source));
    std::abort();
}

bool isNameCharacter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
        || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
        || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('_');
}

// The lines of a program: line breaks are CR, LF and CR LF.
QStringList programLines(const QString &source)
{
    QString text = source;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text.split(QLatin1Char('\n'));
}

// In a program that compiled every line is blank or one statement, so the
// Print statements are the lines whose first word is "print" in any case.
int countPrintStatements(const QString &source)
{
    int count = 0;
    for (const QString &line : programLines(source)) {
        qsizetype i = 0;
        while (i < line.size() && (line[i] == QLatin1Char(' ') || line[i] == QLatin1Char('\t')))
            ++i;
        if (QStringView(line).sliced(i).startsWith(QLatin1String("print"), Qt::CaseInsensitive)
            && (i + 5 == line.size() || !isNameCharacter(line[i + 5])))
            ++count;
    }
    return count;
}

struct Outcome
{
    int prints = 0;
    int errors = 0;
    int errorLine = 0;
    int errorNumber = 0;
    bool emptyMessage = false;
    bool onlyEmptyTexts = true; // every Print carried the empty text
};

constexpr double Untouched = 12345.678;

Outcome run(const QString &source, bool withContext, XMathClass &context)
{
    Outcome outcome;
    ScriptEngine engine;
    context.result = Untouched;
    engine.Context = withContext ? &context : nullptr;
    engine.Source = source;
    engine.Print = [&outcome](const QString &text) {
        ++outcome.prints;
        outcome.onlyEmptyTexts = outcome.onlyEmptyTexts && text.isEmpty();
    };
    engine.CompilerError = [&outcome](int line, int number, const QString &message) {
        ++outcome.errors;
        outcome.errorLine = line;
        outcome.errorNumber = number;
        outcome.emptyMessage = message.isEmpty();
    };
    engine.Run();

    check(outcome.errors <= 1, "CompilerError raised more than once", source);
    if (outcome.errors == 1) {
        check(outcome.prints == 0, "Print raised by a program that did not compile", source);
        check(std::bit_cast<std::uint64_t>(context.result) == std::bit_cast<std::uint64_t>(Untouched),
            "a program that did not compile changed result", source);
        check(outcome.errorLine >= 1 && outcome.errorLine <= programLines(source).size(),
            "CompilerError names a line outside the program", source);
        check(outcome.errorNumber >= static_cast<int>(ScriptEngine::ErrorNumber::UnexpectedCharacter)
                && outcome.errorNumber <= static_cast<int>(ScriptEngine::ErrorNumber::ExpectedOpenBracket),
            "CompilerError with an unknown error number", source);
        check(!outcome.emptyMessage, "CompilerError without a message", source);
    } else {
        check(outcome.prints == countPrintStatements(source), "Print count differs from the Print statements",
            source);
    }
    return outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text
        = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    XMathClass context;

    run(text, true, context);
    run(text, false, context);

    // The calculator's programs hold the expression on one line.
    QString expression = text;
    expression.replace(QLatin1Char('\r'), QLatin1Char(' '));
    expression.replace(QLatin1Char('\n'), QLatin1Char(' '));

    const QString calculation = QStringLiteral("result = ") + expression + QStringLiteral("\rPrint \"\"");
    const Outcome equals = run(calculation, true, context);
    check(
        equals.prints + equals.errors == 1, "the program of \"=\" raised not exactly one event", calculation);
    check(equals.onlyEmptyTexts, "Print \"\" printed a text", calculation);

    const QString rpnScript = QStringLiteral("result = ") + expression;
    const Outcome rpn = run(rpnScript, true, context);
    check(rpn.prints == 0, "an RPN script raised Print", rpnScript);
    return 0;
}
