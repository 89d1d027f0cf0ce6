// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

// Bug reports by e-mail: a new message in the user's mail program, addressed
// to the project and filled in with what the calculator knows.
class ContactWebsite
{
public:
    // The subject of every bug report.
    static QString BugReportSubject();
    // The body: a fixed sentence, details and the version, for example
    // "The following is meaningful for debugging and does not reveal personal
    // details. 2+3 (v1.1.0)".
    static QString BugReportBody(const QString &details);

    // "mailto:" + the bug-report address + "?Subject=" + subject + "&Body=" +
    // body. Subject and body are percent-encoded, so that whatever the
    // details hold ("&", "#", "%", "?", "+", line breaks) reaches the mail
    // program as it was written instead of ending the body or the address.
    static QUrl BugReportUrl(const QString &details);

    // Hands the bug-report address to the system's mail handler. Returns
    // false when no handler could be started.
    static bool EmailBugReport(const QString &details);
};
