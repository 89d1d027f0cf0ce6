// SPDX-License-Identifier: GPL-3.0-or-later
// Evaluation: completion, running the expression on the script engine, the
// result, the history log, the flag text and the two error dialogs.
#include "app/preferences.h"
#include "engine/bugreportaddress.h"
#include "engine/calculatorengine.h"
#include "engine/codecompletion.h"
#include "engine/codetext.h"
#include "engine/presentation.h"
#include "engine/speaker.h"
#include "engine/xmathclass.h"

#include <QLocale>

namespace {

// The start of both error dialogs' explanations, and the line break they use:
// a carriage return followed by the control character 3.
const QString kExplanationStart = QStringLiteral(
    "I thought I'd fixed this, but if you can see this then obviously I am wrong. The exact error is: ");
const QString kBreak = QStringLiteral("\r\x03");

QString furballMessage()
{
    return QStringLiteral(
               "I'm terribly sorry, but this program has just coughed up a digital furball, and cannot "
               "carry out your order. I'd appreicate it if you could take a screenshot of this and email "
               "it to me (")
        + QLatin1String(BugReportAddress) + QStringLiteral(").");
}

} // namespace

void CalculatorEngine::Calculate(bool partial)
{
    QString s = FinishCode(state.currentCodeString);
    s = FixCodeBrackets(s);
    s = FixLeadingZero(s);
    s = FinishCode(s);

    if (HasMissingArgument(s)) {
        SetFlag(NeedMoreNumbersFlag);
        return;
    }
    state.lastCommandWasToCalculate = true;
    // An infinite or NaN result ended the calculation: a text still holding
    // one is evaluated as 0.
    if (IsStringError(s))
        s = QStringLiteral("0");
    state.windowWideDisplayPartial = partial;
    SetFlag(QString());

    // The handlers of Print and CompilerError have run when Run returns.
    rbsCalculationScript.Source = QStringLiteral("result = ") + s + QStringLiteral("\rPrint \"\"");
    rbsCalculationScript.Run();

    view.AppendToHistory(
        s + QStringLiteral("\r= ") + GetPresentedString(state.CurrentNumber) + QStringLiteral("\r\r"));
}

QString CalculatorEngine::FinishCode(const QString &s)
{
    return ::FinishCode(
        s, codeFormat(state.CurrentNumber), [this](const QString &text) { reportUnrecognisedEnding(text); });
}

QString CalculatorEngine::FixCodeBrackets(const QString &s)
{
    return ::FixCodeBrackets(
        s, codeFormat(state.CurrentNumber), [this](const QString &text) { reportUnrecognisedEnding(text); });
}

QString CalculatorEngine::FixLeadingZero(const QString &s) const
{
    return ::FixLeadingZero(s);
}

void CalculatorEngine::reportUnrecognisedEnding(const QString &text)
{
    const QString explanation = kExplanationStart + kBreak + QStringLiteral("Unrecognised code: '")
        + LastCharacter(text) + QStringLiteral("' found in ") + text;
    if (view.ShowErrorDialog(CalculatorView::ErrorIcon::Caution, furballMessage(), explanation))
        view.EmailBugReport(QString());
}

void CalculatorEngine::SetFlag(const QString &text)
{
    state.flagString = text;
}

void CalculatorEngine::DoFindAnswer()
{
    Speak(QStringLiteral("Equals"));
    Calculate(false);
    if (state.flagString != NeedMoreNumbersFlag) {
        state.currentCodeString = codeFormat(state.CurrentNumber);
        if (preferences.speakResults)
            speaker.SpeakAndInterrupt(state.currentCodeString);
    } else {
        Speak(NeedMoreNumbersFlag);
    }
}

void CalculatorEngine::rbsCalculationScript_Print(const QString &)
{
    state.CurrentNumber = context->result;
    state.EnteredNumberAsString.clear();
    // After a partial evaluation the expression stays, so that the next
    // function key can wrap it again (cosec is 1/(Sin(...)) of what sin left).
    if (!state.windowWideDisplayPartial)
        state.currentCodeString = codeFormat(state.CurrentNumber);
    Redraw();
}

void CalculatorEngine::rbsCalculationScript_CompilerError(
    int lineNumber, int errorNumber, const QString &message)
{
    compileFailed = true;
    const QString source = rbsCalculationScript.Source;
    const QString explanation = kExplanationStart + kBreak + QStringLiteral("On line number ")
        + QString::number(lineNumber) + QStringLiteral(", the parser had the error '") + message
        + QStringLiteral("' (id=") + QString::number(errorNumber) + QStringLiteral("). ") + kBreak + kBreak
        + QStringLiteral("The code which caused this is: '") + source + QLatin1Char('\'');
    if (view.ShowErrorDialog(CalculatorView::ErrorIcon::Stop, furballMessage(), explanation))
        view.EmailBugReport(source);
    Clear();
    state.sequence.clear();
}

// --- Presentation ---

QString CalculatorEngine::GetPresentedString(double x) const
{
    const std::optional<DisplayBase> base = presentationBase();
    if (!base)
        return {};
    return ::GetPresentedString(*base, state.EnteredNumberAsString, x, presentationSeparators());
}

std::optional<DisplayBase> CalculatorEngine::presentationBase() const
{
    // The window hands out the same string from one value to the next: its
    // characters are compared only when it is another one (characters that
    // two strings share are never written to).
    const QString text = view.DisplayBaseText();
    if (text.constData() != displayBaseText.constData() || text.size() != displayBaseText.size()) {
        displayBase = DisplayBaseFromText(text);
        displayBaseText = text;
    }
    return displayBase;
}

const NumberSeparators &CalculatorEngine::presentationSeparators() const
{
    // Read again only when the default locale changes: asking the system
    // locale for them costs more than the rest of the presentation.
    const QLocale locale;
    if (locale != separatorsLocale) {
        separatorsLocale = locale;
        separators = LocaleSeparators();
    }
    return separators;
}

void CalculatorEngine::DisplayBaseChanged()
{
    Redraw();
}
