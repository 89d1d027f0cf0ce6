// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

// Sending a bug report: a pre-filled e-mail in the user's mail program.
class ContactWebsite
{
public:
    // "mailto:" + the address + "?Subject=Bug in Zorvane&Body=" + a fixed
    // sentence + details + " (v" + the application's version + ")". The text
    // goes in as it is; QUrl escapes what a URL cannot hold (blanks, line
    // breaks), which the mail program decodes again.
    static QUrl BugReportUrl(const QString &details);

    // Hands the bug-report address to the system's mail handler.
    static void EmailBugReport(const QString &details);
};
