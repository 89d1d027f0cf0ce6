// SPDX-License-Identifier: GPL-3.0-or-later
// Drives one calculator from standard input, one command per line, and
// prints its state as one line of JSON on "show". Commands:
//   <operation> [argument]    any engine operation by its name, e.g.
//                             "AddDigitToString 7", "DoAdd", "DoSetMem 3",
//                             "EnterConstant 2.5"; operations with two texts
//                             take them separated by a tab ("\t")
//   NumberKey <caption>       the on-screen digit or decimal key
//   HandleKeyDown <key>       a typed key
//   base <popup text>         pick a display base
//   angle <row index>         pick an angle mode
//   speak everything on|off   the preference "Speak everything else"
//   speak results on|off      the preference "Speak results"
//   show                      print the state
// Arguments may use the escapes \r (Return), \x1b (Escape), \x03 (Enter),
// \t, \n, \\, \xHH and \uHHHH. Operations that return a value print it as
// {"returned": ...}. An unknown command or a bad argument prints an error
// line on standard error, and the run goes on.
#include "app/preferences.h"
#include "engine/calculatorengine.h"
#include "engine/codecreation.h"
#include "tools/fakecalculatorview.h"
#include "tools/recordingspeaker.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QTextStream>

#include <functional>
#include <map>
#include <optional>

namespace {

// One calculator window, faked, with its speaker and the preferences.
struct Session
{
    Preferences preferences { QString() }; // never read from or written to disk
    FakeCalculatorView view;
    RecordingSpeaker speaker;
    CalculatorEngine engine { preferences, view, speaker };
    QTextStream out { stdout };
    QTextStream err { stderr };
};

QString decodeEscapes(const QString &text)
{
    QString decoded;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\\') || i + 1 == text.size()) {
            decoded += text[i];
            continue;
        }
        const QChar kind = text[++i];
        auto hex = [&](int digits) {
            bool ok = false;
            const uint code = text.mid(i + 1, digits).toUInt(&ok, 16);
            if (!ok || text.mid(i + 1, digits).size() != digits) {
                decoded += QLatin1Char('\\') + kind;
                return;
            }
            const char32_t character = code;
            decoded += QString::fromUcs4(&character, 1);
            i += digits;
        };
        if (kind == QLatin1Char('r'))
            decoded += QLatin1Char('\r');
        else if (kind == QLatin1Char('n'))
            decoded += QLatin1Char('\n');
        else if (kind == QLatin1Char('t'))
            decoded += QLatin1Char('\t');
        else if (kind == QLatin1Char('\\'))
            decoded += QLatin1Char('\\');
        else if (kind == QLatin1Char('x'))
            hex(2);
        else if (kind == QLatin1Char('u'))
            hex(4);
        else
            decoded += QLatin1Char('\\') + kind;
    }
    return decoded;
}

std::optional<double> toNumber(const QString &text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

std::optional<int> toInteger(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<bool> toSwitch(const QString &text)
{
    const QString word = text.trimmed().toLower();
    if (word == QLatin1String("on") || word == QLatin1String("true"))
        return true;
    if (word == QLatin1String("off") || word == QLatin1String("false"))
        return false;
    return std::nullopt;
}

void printReturned(Session &session, const QJsonValue &value)
{
    session.out
        << QJsonDocument(QJsonObject { { QStringLiteral("returned"), value } }).toJson(QJsonDocument::Compact)
        << Qt::endl;
}

void show(Session &session)
{
    const CalculatorState &state = session.engine.State();
    QJsonArray stack;
    for (const double value : state.rpnStack)
        stack.append(CodeFormat(value, ExpressionMask));
    QJsonArray spoken;
    for (const RecordingSpeaker::Utterance &utterance : session.speaker.spoken)
        spoken.append(QJsonObject { { QStringLiteral("text"), utterance.text },
            { QStringLiteral("mode"),
                utterance.interrupt ? QStringLiteral("interrupt") : QStringLiteral("queued") } });
    QJsonArray dialogs;
    for (const FakeCalculatorView::Dialog &dialog : session.view.dialogs)
        dialogs.append(
            QJsonObject { { QStringLiteral("icon"),
                              dialog.icon == CalculatorView::ErrorIcon::Stop ? QStringLiteral("stop")
                                                                             : QStringLiteral("caution") },
                { QStringLiteral("message"), dialog.message },
                { QStringLiteral("explanation"), dialog.explanation } });
    const QJsonObject object {
        { QStringLiteral("display"), session.engine.GetPresentedString(state.CurrentNumber) },
        { QStringLiteral("expression"), state.currentCodeString },
        { QStringLiteral("entry"), state.EnteredNumberAsString },
        { QStringLiteral("flag"), state.flagString },
        { QStringLiteral("current"), CodeFormat(state.CurrentNumber, ExpressionMask) },
        { QStringLiteral("stack"), stack },
        { QStringLiteral("memories"), QJsonArray::fromStringList(session.view.memoryRows) },
        { QStringLiteral("history"), session.view.history },
        { QStringLiteral("spoken"), spoken },
        { QStringLiteral("dialogs"), dialogs },
    };
    session.out << QJsonDocument(object).toJson(QJsonDocument::Compact) << Qt::endl;
    session.speaker.spoken.clear();
    session.view.dialogs.clear();
}

// A command's handler gets the decoded argument text; it returns false when
// the argument does not fit.
using Handler = std::function<bool(Session &, const QString &)>;

Handler noArgument(void (CalculatorEngine::*operation)())
{
    return [operation](Session &session, const QString &argument) {
        if (!argument.trimmed().isEmpty())
            return false;
        (session.engine.*operation)();
        return true;
    };
}

Handler integerArgument(void (CalculatorEngine::*operation)(int))
{
    return [operation](Session &session, const QString &argument) {
        const std::optional<int> value = toInteger(argument);
        if (value)
            (session.engine.*operation)(*value);
        return value.has_value();
    };
}

Handler numberArgument(void (CalculatorEngine::*operation)(double))
{
    return [operation](Session &session, const QString &argument) {
        const std::optional<double> value = toNumber(argument);
        if (value)
            (session.engine.*operation)(*value);
        return value.has_value();
    };
}

Handler textArgument(void (CalculatorEngine::*operation)(const QString &))
{
    return [operation](Session &session, const QString &argument) {
        (session.engine.*operation)(argument);
        return true;
    };
}

Handler twoTexts(void (CalculatorEngine::*operation)(const QString &, const QString &))
{
    return [operation](Session &session, const QString &argument) {
        const qsizetype tab = argument.indexOf(QLatin1Char('\t'));
        if (tab < 0)
            return false;
        (session.engine.*operation)(argument.left(tab), argument.mid(tab + 1));
        return true;
    };
}

Handler returnedText(QString (CalculatorEngine::*operation)(const QString &))
{
    return [operation](Session &session, const QString &argument) {
        printReturned(session, (session.engine.*operation)(argument));
        return true;
    };
}

const std::map<QString, Handler> &commands()
{
    using E = CalculatorEngine;
    static const std::map<QString, Handler> table {
        // Number entry
        { QStringLiteral("AddDigitToString"), textArgument(&E::AddDigitToString) },
        { QStringLiteral("NumberKey"), textArgument(&E::NumberKey) },
        { QStringLiteral("ChangeSign"), noArgument(&E::ChangeSign) },
        { QStringLiteral("DoTryEnterOtherE"), noArgument(&E::DoTryEnterOtherE) },
        { QStringLiteral("DoEnterNegativePartOfEE"), noArgument(&E::DoEnterNegativePartOfEE) },
        { QStringLiteral("Clear"), noArgument(&E::Clear) },
        { QStringLiteral("ClearEntry"), noArgument(&E::ClearEntry) },
        { QStringLiteral("EnterConstant"), numberArgument(&E::EnterConstant) },
        { QStringLiteral("EnterPi"), noArgument(&E::EnterPi) },
        { QStringLiteral("EnterE"), noArgument(&E::EnterE) },
        { QStringLiteral("DoGetRandom"), noArgument(&E::DoGetRandom) },
        // Operators, brackets and function keys
        { QStringLiteral("DoAdd"), noArgument(&E::DoAdd) },
        { QStringLiteral("DoSubtract"), noArgument(&E::DoSubtract) },
        { QStringLiteral("DoMultiply"), noArgument(&E::DoMultiply) },
        { QStringLiteral("DoDivide"), noArgument(&E::DoDivide) },
        { QStringLiteral("DoIntegerDivide"), noArgument(&E::DoIntegerDivide) },
        { QStringLiteral("DoOperator"), textArgument(&E::DoOperator) },
        { QStringLiteral("DoXModY"), noArgument(&E::DoXModY) },
        { QStringLiteral("DoEnterOpenBracket"), noArgument(&E::DoEnterOpenBracket) },
        { QStringLiteral("DoEnterCloseBracket"), noArgument(&E::DoEnterCloseBracket) },
        { QStringLiteral("DoSingleParameterFunction"), twoTexts(&E::DoSingleParameterFunction) },
        { QStringLiteral("DoMultiParameterFunction"), twoTexts(&E::DoMultiParameterFunction) },
        { QStringLiteral("DoAbs"), noArgument(&E::DoAbs) },
        { QStringLiteral("DoSqrt"), noArgument(&E::DoSqrt) },
        { QStringLiteral("DoDegToRad"), noArgument(&E::DoDegToRad) },
        { QStringLiteral("DoRadToDeg"), noArgument(&E::DoRadToDeg) },
        { QStringLiteral("Do1OverX"), noArgument(&E::Do1OverX) },
        { QStringLiteral("Do10PowX"), noArgument(&E::Do10PowX) },
        { QStringLiteral("Do2PowX"), noArgument(&E::Do2PowX) },
        { QStringLiteral("DoEPowX"), noArgument(&E::DoEPowX) },
        { QStringLiteral("DoFactorial"), noArgument(&E::DoFactorial) },
        { QStringLiteral("DoSumZeroToX"), noArgument(&E::DoSumZeroToX) },
        { QStringLiteral("DoLogBase10"), noArgument(&E::DoLogBase10) },
        { QStringLiteral("DoLogBase2"), noArgument(&E::DoLogBase2) },
        { QStringLiteral("DoLogBaseE"), noArgument(&E::DoLogBaseE) },
        { QStringLiteral("DoSquareX"), noArgument(&E::DoSquareX) },
        { QStringLiteral("DoCubeX"), noArgument(&E::DoCubeX) },
        { QStringLiteral("DoFloor"), noArgument(&E::DoFloor) },
        { QStringLiteral("DoCeil"), noArgument(&E::DoCeil) },
        { QStringLiteral("DoRound"), noArgument(&E::DoRound) },
        { QStringLiteral("DoXPowY"), noArgument(&E::DoXPowY) },
        { QStringLiteral("DoNthRoot"), noArgument(&E::DoNthRoot) },
        { QStringLiteral("DoSumXToY"), noArgument(&E::DoSumXToY) },
        { QStringLiteral("DoMultiplyXToY"), noArgument(&E::DoMultiplyXToY) },
        // Evaluation
        { QStringLiteral("Calculate"),
            [](Session &session, const QString &argument) {
                const std::optional<bool> partial = toSwitch(argument);
                if (partial)
                    session.engine.Calculate(*partial);
                return partial.has_value();
            } },
        { QStringLiteral("FinishCode"), returnedText(&E::FinishCode) },
        { QStringLiteral("FixCodeBrackets"), returnedText(&E::FixCodeBrackets) },
        { QStringLiteral("FixLeadingZero"),
            [](Session &session, const QString &argument) {
                printReturned(session, session.engine.FixLeadingZero(argument));
                return true;
            } },
        { QStringLiteral("SetFlag"), textArgument(&E::SetFlag) },
        { QStringLiteral("DoFindAnswer"), noArgument(&E::DoFindAnswer) },
        // Angle modes and trigonometric keys
        { QStringLiteral("getTrigCorrectionFactor"),
            [](Session &session, const QString &argument) {
                const std::optional<int> index = toInteger(argument);
                if (index)
                    printReturned(session, CalculatorEngine::getTrigCorrectionFactor(*index));
                return index.has_value();
            } },
        { QStringLiteral("DoSin"), noArgument(&E::DoSin) },
        { QStringLiteral("DoCos"), noArgument(&E::DoCos) },
        { QStringLiteral("DoTan"), noArgument(&E::DoTan) },
        { QStringLiteral("DoArcSin"), noArgument(&E::DoArcSin) },
        { QStringLiteral("DoArcCos"), noArgument(&E::DoArcCos) },
        { QStringLiteral("DoArcTan"), noArgument(&E::DoArcTan) },
        { QStringLiteral("DoSinh"), noArgument(&E::DoSinh) },
        { QStringLiteral("DoCosh"), noArgument(&E::DoCosh) },
        { QStringLiteral("DoTanh"), noArgument(&E::DoTanh) },
        { QStringLiteral("DoCsch"), noArgument(&E::DoCsch) },
        { QStringLiteral("DoSech"), noArgument(&E::DoSech) },
        { QStringLiteral("DoCoth"), noArgument(&E::DoCoth) },
        // Presentation
        { QStringLiteral("GetPresentedString"),
            [](Session &session, const QString &argument) {
                const std::optional<double> value = toNumber(argument);
                if (value)
                    printReturned(session, session.engine.GetPresentedString(*value));
                return value.has_value();
            } },
        // RPN entry
        { QStringLiteral("SetModeRPN"), noArgument(&E::SetModeRPN) },
        { QStringLiteral("SetModeInfix"), noArgument(&E::SetModeInfix) },
        { QStringLiteral("SetModeAlterControls"), noArgument(&E::SetModeAlterControls) },
        { QStringLiteral("DoRPNEnter"), noArgument(&E::DoRPNEnter) },
        { QStringLiteral("DoRPNAppendToStack"), numberArgument(&E::DoRPNAppendToStack) },
        { QStringLiteral("DoRPNTwoOperandOperator"), textArgument(&E::DoRPNTwoOperandOperator) },
        { QStringLiteral("DoRPNTwoParameterFunction"), twoTexts(&E::DoRPNTwoParameterFunction) },
        { QStringLiteral("DoRPNSingleParameterFunction"), twoTexts(&E::DoRPNSingleParameterFunction) },
        { QStringLiteral("RebuildRPNStackListbox"), noArgument(&E::RebuildRPNStackListbox) },
        { QStringLiteral("GetCurrentRPNNoteString"),
            [](Session &session, const QString &argument) {
                if (!argument.trimmed().isEmpty())
                    return false;
                printReturned(session, session.engine.GetCurrentRPNNoteString());
                return true;
            } },
        // Memory registers
        { QStringLiteral("CreateMemoryValueList"), noArgument(&E::CreateMemoryValueList) },
        { QStringLiteral("DoSetMem"), integerArgument(&E::DoSetMem) },
        { QStringLiteral("DoUseMem"), integerArgument(&E::DoUseMem) },
        { QStringLiteral("DoClearMem"), integerArgument(&E::DoClearMem) },
        { QStringLiteral("DoClearAllMem"), noArgument(&E::DoClearAllMem) },
        { QStringLiteral("DoMemAdd"), integerArgument(&E::DoMemAdd) },
        { QStringLiteral("DoMemSubtract"), integerArgument(&E::DoMemSubtract) },
        { QStringLiteral("DoMemMultiply"), integerArgument(&E::DoMemMultiply) },
        { QStringLiteral("DoMemDivide"), integerArgument(&E::DoMemDivide) },
        { QStringLiteral("DoAddMem"), integerArgument(&E::DoAddMem) },
        { QStringLiteral("DoSubtractMem"), integerArgument(&E::DoSubtractMem) },
        { QStringLiteral("DoMultiplyMem"), integerArgument(&E::DoMultiplyMem) },
        { QStringLiteral("DoDivideMem"), integerArgument(&E::DoDivideMem) },
        // Keyboard
        { QStringLiteral("HandleKeyDown"), textArgument(&E::HandleKeyDown) },
        { QStringLiteral("DoTypedMinus"), noArgument(&E::DoTypedMinus) },
        { QStringLiteral("DoTypedEquals"), noArgument(&E::DoTypedEquals) },
        // The window's own controls and the preferences
        { QStringLiteral("base"),
            [](Session &session, const QString &argument) {
                session.view.displayBase = argument;
                session.engine.DisplayBaseChanged();
                return true;
            } },
        { QStringLiteral("angle"),
            [](Session &session, const QString &argument) {
                const std::optional<int> index = toInteger(argument);
                if (!index)
                    return false;
                session.view.angleMode = *index;
                session.engine.AngleModeChanged();
                return true;
            } },
        { QStringLiteral("speak"),
            [](Session &session, const QString &argument) {
                const QString which = argument.section(QLatin1Char(' '), 0, 0);
                const std::optional<bool> on = toSwitch(argument.section(QLatin1Char(' '), 1));
                if (!on)
                    return false;
                if (which == QLatin1String("everything"))
                    session.preferences.speakEverythingElse = *on;
                else if (which == QLatin1String("results"))
                    session.preferences.speakResults = *on;
                else
                    return false;
                return true;
            } },
        { QStringLiteral("show"),
            [](Session &session, const QString &argument) {
                if (!argument.trimmed().isEmpty())
                    return false;
                show(session);
                return true;
            } },
    };
    return table;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    Session session;
    // As the window does when it opens: the memory popup lists the
    // registers, the keys follow the entry mode, the stack list is built.
    session.engine.CreateMemoryValueList();
    session.engine.SetModeAlterControls();
    session.engine.RebuildRPNStackListbox();

    QTextStream in(stdin);
    int lineNumber = 0;
    QString line;
    while (in.readLineInto(&line)) {
        ++lineNumber;
        if (line.trimmed().isEmpty())
            continue;
        const qsizetype space = line.indexOf(QLatin1Char(' '));
        const QString name = (space < 0 ? line : line.left(space)).trimmed();
        const QString argument = space < 0 ? QString() : decodeEscapes(line.mid(space + 1));
        const auto command = commands().find(name);
        if (command == commands().end()) {
            session.err << "zorvane-keys: line " << lineNumber << ": unknown command \"" << name << "\""
                        << Qt::endl;
            continue;
        }
        if (!command->second(session, argument))
            session.err << "zorvane-keys: line " << lineNumber << ": bad argument for " << name << ": \""
                        << argument << "\"" << Qt::endl;
    }
    return 0;
}
