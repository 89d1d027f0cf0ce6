// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/contactwebsite.h"

#include "engine/bugreportaddress.h"

#include <QCoreApplication>
#include <QDesktopServices>

QUrl ContactWebsite::BugReportUrl(const QString &details)
{
    return QUrl(QStringLiteral("mailto:") + QLatin1String(BugReportAddress)
            + QStringLiteral("?Subject=Bug in Zorvane&Body=")
            + QStringLiteral(
                "The following is meaningful for debugging and does not reveal personal details. ")
            + details + QStringLiteral(" (v") + QCoreApplication::applicationVersion() + QStringLiteral(")"),
        QUrl::TolerantMode);
}

void ContactWebsite::EmailBugReport(const QString &details)
{
    QDesktopServices::openUrl(BugReportUrl(details));
}
