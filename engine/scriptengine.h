// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class XMathClass;

// The embedded interpreter of the calculator's expression language. A window
// sets Context once, then for every evaluation sets Source and calls Run().
// Run() is synchronous: Print or CompilerError has been raised by the time it
// returns. A program is "result = <expression>", optionally followed by a
// carriage return and `Print ""`.
class ScriptEngine
{
public:
    // Raised by the program's Print statement, after the assignment.
    using PrintHandler = std::function<void(const QString &text)>;
    // Raised when Source does not compile; nothing of the program has run.
    using CompilerErrorHandler = std::function<void(int lineNumber, int errorNumber, const QString &message)>;

    XMathClass *Context = nullptr; // not owned; its `result` receives every value
    QString Source;
    PrintHandler Print;
    CompilerErrorHandler CompilerError;

    void Run();
};
