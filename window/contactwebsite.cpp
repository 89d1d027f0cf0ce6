// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/contactwebsite.h"

#include "engine/bugreportaddress.h"

#include <QDesktopServices>

namespace {

QString percentEncoded(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

} // namespace

QString ContactWebsite::BugReportSubject()
{
    return QStringLiteral("Bug in Zorvane");
}

QString ContactWebsite::BugReportBody(const QString &details)
{
    return QStringLiteral("The following is meaningful for debugging and does not reveal personal details. ")
        + details + QStringLiteral(" (v" ZORVANE_VERSION ")");
}

QUrl ContactWebsite::BugReportUrl(const QString &details)
{
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(QLatin1String(BugReportAddress));
    // Everything but letters, digits and "-._~" is escaped, so the query
    // holds exactly two items whatever the texts contain.
    url.setQuery(QStringLiteral("Subject=") + percentEncoded(BugReportSubject()) + QStringLiteral("&Body=")
            + percentEncoded(BugReportBody(details)),
        QUrl::StrictMode);
    return url;
}

bool ContactWebsite::EmailBugReport(const QString &details)
{
    return QDesktopServices::openUrl(BugReportUrl(details));
}
