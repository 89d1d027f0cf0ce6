// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <vector>

class XMathClass;

// The embedded interpreter of the calculator's expression language. A window
// sets Context once, then for every evaluation sets Source and calls Run().
// Run() is synchronous: Print or CompilerError has been raised by the time it
// returns. A program is "result = <expression>", optionally followed by a
// carriage return and `Print ""`.
//
// The language: numbers (5, 05, .5, 5., 5e-3, 3.0e+0), the names INF and NAN,
// unary "-" and "+", binary "+", "-", "*", "/", "\" and "mod", brackets, and
// calls of the engine's and the context's functions with one or two
// arguments. Names ignore letter case. Statements are separated by line
// breaks (CR, LF or CR LF): `result = <expression>` and `Print "<text>"`.
//
// The whole program is checked and evaluated before any of it takes effect:
// a program that does not compile changes nothing and raises only
// CompilerError; one that compiles assigns `result` and raises Print in the
// order of its statements.
class ScriptEngine
{
public:
    // Raised by the program's Print statement, after the assignment.
    using PrintHandler = std::function<void(const QString &text)>;
    // Raised when Source does not compile; nothing of the program has run.
    using CompilerErrorHandler = std::function<void(int lineNumber, int errorNumber, const QString &message)>;

    // The error numbers that CompilerError reports.
    enum class ErrorNumber
    {
        UnexpectedCharacter = 1, // a character that starts no token
        ExpectedOperand = 2, // end of line or an operator where a value must stand
        ExpectedCloseBracket = 3, // "(" or a call without its ")"
        UnexpectedText = 4, // more text after a complete statement, e.g. a stray ")"
        UnknownFunction = 5, // a call of a name that is no function
        UnknownName = 6, // a bare name that is no value
        ArgumentCount = 7, // a call with the wrong number of arguments
        MalformedNumber = 8, // an exponent without digits
        NestingTooDeep = 9, // more than MaxNestingDepth open brackets
        ExpectedStatement = 10, // a line that starts with neither `result` nor `Print`
        ExpectedAssignment = 11, // `result` without "="
        UnterminatedText = 12, // a text literal without its closing quote
        ExpectedOpenBracket = 13, // a function name used without "("
    };

    // Brackets and calls may nest this deep; deeper programs do not compile.
    static constexpr int MaxNestingDepth = 1000;

    XMathClass *Context = nullptr; // not owned; its `result` receives every value
    QString Source;
    PrintHandler Print;
    CompilerErrorHandler CompilerError;

    void Run();

    // How an argument becomes an integer parameter of a context function:
    // rounded to the nearest integer (halves away from zero) and clamped to
    // the 32-bit range; NaN gives 0.
    static qint32 IntegerArgument(double x);

private:
    struct Effect
    {
        bool isPrint;
        double value; // what an assignment stores
        qsizetype textStart; // a Print's literal within the source, quotes excluded
        qsizetype textLength;
    };

    // Parser state of the current run.
    const char16_t *begin = nullptr;
    const char16_t *pos = nullptr;
    const char16_t *end = nullptr;
    int line = 1;
    int depth = 0;
    bool failed = false;
    int errorLine = 0;
    ErrorNumber errorNumber = ErrorNumber::UnexpectedCharacter;
    QString errorMessage;
    double currentResult = 0.0; // `result` as the statements so far leave it
    std::vector<Effect> effects; // kept between runs so that a run does not allocate

    void parseStatement();
    double parseSum();
    double parseProduct();
    double parseUnary();
    double parsePrimary();
    double parseNumber();
    double parseName();
    void parseText();

    void skipBlanks()
    {
        while (pos != end && (*pos == u' ' || *pos == u'\t'))
            ++pos;
    }
    bool atLineEnd() const { return pos == end || *pos == u'\r' || *pos == u'\n'; }
    QString describeHere() const;
    double fail(ErrorNumber number, const QString &message);
};
