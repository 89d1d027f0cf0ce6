// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/afterfirstpaint.h"
#include "app/app.h"
#include "app/applicationstyle.h"
#include "app/svgiconengine.h"
#include "window/winnormalcalculator.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // The style the platform chose, reading no picture before it is shown.
    QApplication::setStyle(new ApplicationStyle(QApplication::style()));
    // The version goes into bug reports. No application display name is set:
    // the platform would append it to every window title.
    QCoreApplication::setApplicationVersion(QStringLiteral(ZORVANE_VERSION));
    // The desktop matches the windows to the installed menu entry and icon
    // by this id; the window icon serves where it does not.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zorvane.Zorvane"));
    App app;
    app.Open();
    // The window icon, drawn at four sizes for the window system, is not
    // needed to show the first window: it comes once that window is painted.
    AfterFirstPaint::Run(app.SharedCalculator(),
        [] { QApplication::setWindowIcon(QIcon(new SvgIconEngine(QStringLiteral(":/zorvane.svg")))); });
    return application.exec();
}
