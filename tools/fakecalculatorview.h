// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/anglemodes.h"
#include "engine/calculatorview.h"

#include <QList>
#include <QString>
#include <QStringList>

// A calculator window without widgets, for tests and command-line drivers:
// it keeps what the engine shows it and answers the error dialogs at once.
class FakeCalculatorView : public CalculatorView
{
public:
    struct Dialog
    {
        ErrorIcon icon;
        QString message;
        QString explanation;
    };

    // What the window's controls hold.
    QString displayBase = QStringLiteral("10 (Denary, normal)");
    int angleMode = 0;

    // What the engine has shown.
    QString history;
    QStringList rpnRows;
    bool rpnStackEmpty = false;
    QStringList memoryRows;
    bool rpnControlsEnabled = false;
    int redraws = 0;
    QList<Dialog> dialogs;
    QStringList bugReports; // details of every bug-report e-mail opened
    QStringList messages; // every message box shown

    // The button the user "chooses" in every error dialog.
    bool chooseSendEmail = false;

    QString DisplayBaseText() const override { return displayBase; }
    int AngleModeIndex() const override { return angleMode; }
    QString AngleModeText() const override { return AngleModeNames().value(angleMode); }
    void AppendToHistory(const QString &entry) override { history += entry; }
    void FlickerFreeRefresh() override { ++redraws; }
    void ShowRPNStack(const QStringList &rows, bool stackIsEmpty) override
    {
        rpnRows = rows;
        rpnStackEmpty = stackIsEmpty;
    }
    void ShowMemoryList(const QStringList &rows) override { memoryRows = rows; }
    void SetModeControlsEnabled(bool usingRPNMode) override { rpnControlsEnabled = usingRPNMode; }
    bool ShowErrorDialog(ErrorIcon icon, const QString &message, const QString &explanation) override
    {
        dialogs.append({ icon, message, explanation });
        return chooseSendEmail;
    }
    void EmailBugReport(const QString &details) override { bugReports.append(details); }
    void ShowMessage(const QString &message) override { messages.append(message); }
};
