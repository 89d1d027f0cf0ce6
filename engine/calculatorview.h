// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// What a calculator engine needs from the window that shows it. The
// calculator window implements this; tests and command-line drivers fake it.
// No call may wait for the user in a fake: the two error dialogs return at
// once there.
class CalculatorView
{
public:
    // The icon of an error dialog: caution for an expression ending that the
    // completion does not know, stop for an expression that does not compile.
    enum class ErrorIcon
    {
        Caution,
        Stop
    };

    virtual ~CalculatorView() = default;

    // The current text of the display-base popup, for example
    // "10 (Denary, normal)"; every presented number follows it.
    virtual QString DisplayBaseText() const = 0;

    // The selected row of the angle-mode popup (0 "Radians" to 9 "Full
    // Circles") and that row's text.
    virtual int AngleModeIndex() const = 0;
    virtual QString AngleModeText() const = 0;

    // Appends one entry to the history log. An entry is three lines, each
    // ended by a carriage return ("\r"): the evaluated text, "= " and the
    // presented result, and an empty line. The window shows each carriage
    // return as a line break.
    virtual void AppendToHistory(const QString &entry) = 0;

    // Redraws the display from the engine's state (the one redraw entry).
    virtual void FlickerFreeRefresh() = 0;

    // Replaces the rows of the RPN stack list, bottom entry first. When the
    // stack is empty, rows holds the one placeholder row and stackIsEmpty is
    // true: the window shows that row in italics.
    virtual void ShowRPNStack(const QStringList &rows, bool stackIsEmpty) = 0;

    // Replaces the 26 rows of the memory popup ("A (0)" ... "Z (0)") and keeps
    // the popup's selected row.
    virtual void ShowMemoryList(const QStringList &rows) = 0;

    // Enables "=" and the two bracket keys in infix entry, and the Enter key
    // in RPN entry.
    virtual void SetModeControlsEnabled(bool usingRPNMode) = 0;

    // Shows a modal message dialog with the icon, the message, the
    // explanation and two buttons, the default one and "Send Email...".
    // Returns true when the user chose "Send Email...".
    virtual bool ShowErrorDialog(ErrorIcon icon, const QString &message, const QString &explanation) = 0;

    // Opens the pre-filled bug-report e-mail with details in its body.
    virtual void EmailBugReport(const QString &details) = 0;

    // Shows a modal message box with message and one button, and returns
    // once the user dismissed it. The self-test reports through it.
    virtual void ShowMessage(const QString &message) = 0;
};
