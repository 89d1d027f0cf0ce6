// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>

#include <chrono>
#include <cstdint>
#include <optional>
#include <sys/types.h>
#include <vector>

struct xcb_connection_t;

// Measures how long a program takes from its start until its first window
// is mapped and painted, and its resident memory then, on the X display of
// $DISPLAY. The program is not changed or instrumented: the probe watches
// the X server. It listens for the top-level windows that get mapped
// (SubstructureNotify on the root window) and, through the DAMAGE
// extension on the root window, for every rectangle that any client draws.
// A window counts as painted when the rectangles drawn into it since it was
// mapped cover every one of its pixels. Qt gives its windows no background,
// so the server itself paints nothing there: each of those pixels comes
// from the program's first frame.
//
// Each program runs with its own fresh configuration, data and cache
// folders (a temporary folder for the whole probe), on the xcb platform.
class StartupProbe
{
public:
    struct Launch
    {
        double startupNanoseconds = 0; // from just before the process starts to the painted window
        double residentBytes = 0; // the process's resident memory right then
        // The growth of resident memory from before Ctrl+N to after the new
        // window is painted, each read when the program has been idle for a
        // moment; absent unless asked for or when no second window came,
        // which secondWindowProblem then tells.
        std::optional<double> secondWindowBytes;
        QString secondWindowProblem;
    };

    StartupProbe();
    ~StartupProbe();
    StartupProbe(const StartupProbe &) = delete;
    StartupProbe &operator=(const StartupProbe &) = delete;

    // Empty when the probe can measure; otherwise why not.
    QString Error() const { return error; }

    // Starts program and waits for its window titled title. With
    // secondWindow, then types Ctrl+N into it and waits for a second window
    // of that title. Ends the program before returning. On failure, returns
    // nothing and sets *why.
    std::optional<Launch> Measure(
        const QString &program, const QString &title, bool secondWindow, QString *why);

private:
    using Clock = std::chrono::steady_clock;
    struct Target;

    bool childEnded();
    bool waitForPaintedWindow(
        const QString &title, uint32_t exclude, Target &target, Clock::time_point deadline, QString *why);
    void idle(std::chrono::milliseconds duration);
    void typeControlN(uint32_t window);
    QString windowName(uint32_t window);
    void drain();
    pid_t spawn(const QString &program);

    xcb_connection_t *connection = nullptr;
    uint32_t root = 0;
    uint8_t damageEventType = 0;
    uint32_t damage = 0;
    pid_t child = 0; // the program being measured
    bool childReaped = false;
    QTemporaryDir home;
    QString error;
};
