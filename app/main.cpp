// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // The version goes into bug reports. No application display name is set:
    // the platform would append it to every window title.
    QCoreApplication::setApplicationVersion(QStringLiteral(ZORVANE_VERSION));
    App app;
    app.Open();
    return application.exec();
}
