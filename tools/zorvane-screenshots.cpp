// SPDX-License-Identifier: GPL-3.0-or-later
// Takes a picture of every window of Zorvane for the README and the
// metainfo: the calculator window on each of its mode pages, with a number on
// its display, and the help, about, preferences, conversion and constants
// windows. Usage: zorvane-screenshots FOLDER [--dark]
// Each picture is FOLDER/<window>.png; at a device pixel ratio other than 1
// (QT_SCALE_FACTOR=2) the name ends in @2x, and with --dark, which gives the
// application a dark palette, in -dark. The preferences are read from and
// written to a temporary folder, and nothing is spoken.
#include "app/app.h"
#include "tools/recordingspeaker.h"
#include "window/winnormalcalculator.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QPalette>
#include <QScreen>
#include <QSet>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <functional>

namespace {

// A dark palette as desktops give it: light text on dark grey.
QPalette darkPalette()
{
    QPalette palette;
    const QColor window(0x2b, 0x2b, 0x2b), base(0x1e, 0x1e, 0x1e), text(0xee, 0xee, 0xee);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, QColor(0x3c, 0x3c, 0x3c));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, Qt::white);
    palette.setColor(QPalette::Light, QColor(0x5a, 0x5a, 0x5a));
    palette.setColor(QPalette::Midlight, QColor(0x4a, 0x4a, 0x4a));
    palette.setColor(QPalette::Mid, QColor(0x24, 0x24, 0x24));
    palette.setColor(QPalette::Dark, QColor(0x18, 0x18, 0x18));
    palette.setColor(QPalette::Shadow, Qt::black);
    palette.setColor(QPalette::Highlight, QColor(0x3d, 0x7a, 0xd6));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, base);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, QColor(0x9a, 0x9a, 0x9a));
    palette.setColor(QPalette::Link, QColor(0x6e, 0xa8, 0xff));
    palette.setColor(QPalette::LinkVisited, QColor(0xb4, 0x8c, 0xff));
    for (const QPalette::ColorRole role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
        palette.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    return palette;
}

// Lets the windows lay out and paint, with a short pause for the window
// system to map them.
void settle()
{
    for (int round = 0; round < 5; ++round) {
        QApplication::processEvents();
        QThread::msleep(40);
    }
}

QList<QWidget *> visibleWindows()
{
    QList<QWidget *> windows;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->isWindow())
            windows.append(widget);
    return windows;
}

void click(QWidget *window, const char *objectName)
{
    if (auto *button = window->findChild<QAbstractButton *>(QLatin1String(objectName)))
        button->click();
}

void type(QWidget *window, const QString &keys)
{
    for (const QChar key : keys) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(key));
        QApplication::sendEvent(window, &press);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QTextStream err(stderr);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2 || arguments.size() > 3 || (arguments.size() == 3 && arguments[2] != "--dark")) {
        err << "usage: zorvane-screenshots FOLDER [--dark]\n";
        return 2;
    }
    const QDir folder(arguments[1]);
    const bool dark = arguments.size() == 3;
    if (!QDir().mkpath(folder.path())) {
        err << "cannot make " << folder.path() << '\n';
        return 1;
    }
    if (dark) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(darkPalette());
    }
    const qreal ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
    const QString suffix = (dark ? QStringLiteral("-dark") : QString())
        + (ratio != 1.0 ? QStringLiteral("@%1x").arg(ratio) : QString());

    QTemporaryDir settings;
    App app(QDir(settings.path()).filePath(QStringLiteral("Zorvane Preferences")),
        std::make_unique<RecordingSpeaker>());
    app.Open();
    winNormalCalculator *calculator = app.SharedCalculator();
    calculator->move(40, 40);
    type(calculator, QStringLiteral("(1+2)*3.5="));
    type(calculator, QStringLiteral("√"));

    // Each picture: its name and what brings its window to the front. A
    // picture of the calculator shows the calculator; any other shows the
    // window that the step opened.
    struct Picture
    {
        const char *name;
        std::function<void()> step;
        bool ofCalculator;
    };
    const Picture pictures[] = {
        { "calculator", [&] { click(calculator, "bevModeTrig"); }, true },
        { "calculator-memory", [&] { click(calculator, "bevModeMem"); }, true },
        { "calculator-functions", [&] { click(calculator, "bevModeMisc"); }, true },
        { "calculator-history", [&] { click(calculator, "bevModeHistory"); }, true },
        { "calculator-rpn", [&] { click(calculator, "bevModeRPN"); }, true },
        { "convert", [&] { click(calculator, "bevModeConvert"); }, false },
        { "constants", [&] { click(calculator, "bevModeConst"); }, false },
        { "help", [&] { app.HelpShowZorvanehelp_Action(); }, false },
        { "about", [&] { app.AppleAboutZorvane_Action(); }, false },
        { "preferences", [&] { app.FilePreferences_Action(); }, false },
    };

    int failures = 0;
    for (const Picture &picture : pictures) {
        const QList<QWidget *> before = visibleWindows();
        picture.step();
        settle();
        QWidget *window = picture.ofCalculator ? calculator : nullptr;
        for (QWidget *candidate : visibleWindows())
            if (!window && !before.contains(candidate))
                window = candidate;
        const QString file = folder.filePath(QLatin1String(picture.name) + suffix + QStringLiteral(".png"));
        if (!window || !window->grab().save(file)) {
            err << "no picture of " << picture.name << '\n';
            ++failures;
            continue;
        }
        QTextStream(stdout) << file << '\n';
        if (!picture.ofCalculator)
            window->close();
    }
    app.Quit();
    return failures == 0 ? 0 : 1;
}
