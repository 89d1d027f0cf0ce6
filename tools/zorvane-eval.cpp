// SPDX-License-Identifier: GPL-3.0-or-later
// Evaluates expressions of the calculator's language, one per line of
// standard input, on one script engine with one calculation context for the
// whole run, so that `result` carries over from line to line. Prints for
// each line the result's expression literal and its decimal presentation,
// separated by a tab, or "error", the line number, the error number and the
// message, separated by tabs, when the line does not compile. Numbers follow
// the locale that the environment selects (LC_ALL, LANG), the C locale when
// it selects none.
#include "engine/codecreation.h"
#include "engine/presentation.h"
#include "engine/scriptengine.h"
#include "engine/xmathclass.h"

#include <iostream>
#include <string>

int main()
{
    XMathClass context;
    ScriptEngine engine;
    engine.Context = &context;
    std::string output;
    engine.CompilerError = [&output](int line, int number, const QString &message) {
        output = QStringLiteral("error\t%1\t%2\t%3").arg(line).arg(number).arg(message).toStdString();
    };

    std::string input;
    while (std::getline(std::cin, input)) {
        if (!input.empty() && input.back() == '\r')
            input.pop_back();
        output.clear();
        engine.Source = QStringLiteral("result = ") + QString::fromStdString(input);
        engine.Run();
        if (output.empty())
            output = (CodeFormat(context.result, ExpressionMask) + QLatin1Char('\t')
                + GetPresentedString(QStringLiteral("10 (Denary, normal)"), QString(), context.result))
                         .toStdString();
        std::cout << output << '\n';
    }
    return 0;
}
