// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/startupprobe.h"

#include <QDir>

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

extern char **environ;

namespace {

constexpr uint32_t KeysymControlL = 0xffe3;
constexpr uint32_t KeysymN = 0x006e;

// Quiet time before and after opening the second window, so that both
// memory readings see the program idle.
constexpr std::chrono::milliseconds SettleTime(300);
constexpr std::chrono::seconds WindowTimeout(30);

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T> Reply<T> reply(T *pointer)
{
    return Reply<T>(pointer, &std::free);
}

double residentBytes(pid_t pid)
{
    FILE *statm = std::fopen(QStringLiteral("/proc/%1/statm").arg(pid).toLocal8Bit().constData(), "r");
    if (!statm)
        return 0;
    long size = 0;
    long resident = 0;
    const int fields = std::fscanf(statm, "%ld %ld", &size, &resident);
    std::fclose(statm);
    return fields == 2 ? double(resident) * double(sysconf(_SC_PAGESIZE)) : 0;
}

} // namespace

struct StartupProbe::Target
{
    uint32_t window = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> drawn; // one byte per pixel of the window
    long remaining = 0; // pixels not drawn yet
    Clock::time_point paintedAt;

    void reset(int newX, int newY, int newWidth, int newHeight)
    {
        x = newX;
        y = newY;
        width = newWidth;
        height = newHeight;
        drawn.assign(size_t(width) * size_t(height), 0);
        remaining = long(width) * height;
    }

    // Marks the part of a rectangle in root coordinates that lies in the window.
    void mark(int left, int top, int w, int h)
    {
        const int x0 = std::max(left, x) - x;
        const int y0 = std::max(top, y) - y;
        const int x1 = std::min(left + w, x + width) - x;
        const int y1 = std::min(top + h, y + height) - y;
        for (int row = y0; row < y1; ++row)
            for (int column = x0; column < x1; ++column) {
                uint8_t &pixel = drawn[size_t(row) * size_t(width) + size_t(column)];
                remaining -= pixel == 0;
                pixel = 1;
            }
    }
};

StartupProbe::StartupProbe()
{
    if (!home.isValid()) {
        error = QStringLiteral("no temporary folder");
        return;
    }
    int screenNumber = 0;
    connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        error = QStringLiteral("no X display (DISPLAY=%1)").arg(qEnvironmentVariable("DISPLAY"));
        return;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    root = screens.data->root;

    const xcb_query_extension_reply_t *damageExtension = xcb_get_extension_data(connection, &xcb_damage_id);
    const xcb_query_extension_reply_t *testExtension = xcb_get_extension_data(connection, &xcb_test_id);
    if (!damageExtension || !damageExtension->present || !testExtension || !testExtension->present) {
        error = QStringLiteral("the X server lacks the DAMAGE or XTEST extension");
        return;
    }
    reply(xcb_damage_query_version_reply(connection, xcb_damage_query_version(connection, 1, 1), nullptr));
    damageEventType = damageExtension->first_event + XCB_DAMAGE_NOTIFY;

    const uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &events);
    damage = xcb_generate_id(connection);
    xcb_damage_create(connection, damage, root, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    xcb_flush(connection);

    for (const char *folder : { "config", "data", "cache", "runtime" })
        QDir(home.path()).mkpath(QLatin1String(folder));
    QFile::setPermissions(
        home.filePath(QStringLiteral("runtime")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

StartupProbe::~StartupProbe()
{
    if (connection)
        xcb_disconnect(connection);
}

pid_t StartupProbe::spawn(const QString &program)
{
    const std::string base = home.path().toStdString();
    std::vector<std::string> settings = {
        "QT_QPA_PLATFORM=xcb",
        "HOME=" + base,
        "XDG_CONFIG_HOME=" + base + "/config",
        "XDG_DATA_HOME=" + base + "/data",
        "XDG_CACHE_HOME=" + base + "/cache",
        "XDG_RUNTIME_DIR=" + base + "/runtime",
    };
    std::vector<char *> environment;
    for (char **variable = environ; *variable; ++variable) {
        const std::string_view entry(*variable);
        bool replaced = false;
        for (const std::string &setting : settings)
            replaced |= entry.substr(0, entry.find('=') + 1) == setting.substr(0, setting.find('=') + 1);
        if (!replaced)
            environment.push_back(*variable);
    }
    for (std::string &setting : settings)
        environment.push_back(setting.data());
    environment.push_back(nullptr);

    const std::string path = program.toStdString();
    char *arguments[] = { const_cast<char *>(path.c_str()), nullptr };
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, path.c_str(), &actions, nullptr, arguments, environment.data());
    posix_spawn_file_actions_destroy(&actions);
    return failed ? 0 : pid;
}

QString StartupProbe::windowName(uint32_t window)
{
    auto name = reply(xcb_get_property_reply(connection,
        xcb_get_property(connection, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256),
        nullptr));
    if (!name)
        return {};
    return QString::fromUtf8(static_cast<const char *>(xcb_get_property_value(name.get())),
        xcb_get_property_value_length(name.get()));
}

bool StartupProbe::childEnded()
{
    if (!childReaped && waitpid(child, nullptr, WNOHANG) == child)
        childReaped = true;
    return childReaped;
}

bool StartupProbe::waitForPaintedWindow(
    const QString &title, uint32_t exclude, Target &target, Clock::time_point deadline, QString *why)
{
    for (;;) {
        xcb_generic_event_t *event = xcb_poll_for_event(connection);
        if (!event) {
            if (xcb_connection_has_error(connection)) {
                *why = QStringLiteral("lost the X connection");
                return false;
            }
            if (childEnded()) {
                *why = QStringLiteral("the program ended before its window was painted");
                return false;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0) {
                *why = QStringLiteral("no painted window titled \"%1\" within %2 s")
                           .arg(title)
                           .arg(WindowTimeout.count());
                return false;
            }
            pollfd descriptor { xcb_get_file_descriptor(connection), POLLIN, 0 };
            poll(&descriptor, 1, int(std::min<long>(left.count(), 50)));
            continue;
        }
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_MAP_NOTIFY) {
            const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event);
            if (!target.window && !map->override_redirect && map->window != exclude
                && windowName(map->window) == title) {
                auto geometry = reply(
                    xcb_get_geometry_reply(connection, xcb_get_geometry(connection, map->window), nullptr));
                auto origin = reply(xcb_translate_coordinates_reply(
                    connection, xcb_translate_coordinates(connection, map->window, root, 0, 0), nullptr));
                if (geometry && origin) {
                    target.window = map->window;
                    target.reset(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
                }
            }
        } else if (type == XCB_CONFIGURE_NOTIFY) {
            const auto *configure = reinterpret_cast<xcb_configure_notify_event_t *>(event);
            // A window moved or resized before its first frame must be drawn anew.
            if (configure->window == target.window
                && (configure->x != target.x || configure->y != target.y || configure->width != target.width
                    || configure->height != target.height))
                target.reset(configure->x, configure->y, configure->width, configure->height);
        } else if (type == damageEventType && target.window) {
            const auto *drawn = reinterpret_cast<xcb_damage_notify_event_t *>(event);
            target.mark(drawn->area.x, drawn->area.y, drawn->area.width, drawn->area.height);
            if (target.remaining == 0) {
                target.paintedAt = Clock::now();
                std::free(event);
                return true;
            }
        }
        std::free(event);
    }
}

void StartupProbe::idle(std::chrono::milliseconds duration)
{
    const Clock::time_point end = Clock::now() + duration;
    while (Clock::now() < end) {
        pollfd descriptor { xcb_get_file_descriptor(connection), POLLIN, 0 };
        poll(&descriptor, 1, 20);
        drain();
    }
}

void StartupProbe::drain()
{
    while (xcb_generic_event_t *event = xcb_poll_for_event(connection))
        std::free(event);
}

void StartupProbe::typeControlN(uint32_t window)
{
    const xcb_setup_t *setup = xcb_get_setup(connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    auto mapping = reply(xcb_get_keyboard_mapping_reply(
        connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, count), nullptr));
    if (!mapping)
        return;
    const xcb_keysym_t *keysyms = xcb_get_keyboard_mapping_keysyms(mapping.get());
    const auto keycodeOf = [&](uint32_t keysym) -> uint8_t {
        for (int i = 0; i < count; ++i)
            if (keysyms[i * mapping->keysyms_per_keycode] == keysym)
                return uint8_t(setup->min_keycode + i);
        return 0;
    };
    const uint8_t control = keycodeOf(KeysymControlL);
    const uint8_t n = keycodeOf(KeysymN);
    xcb_set_input_focus(connection, XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME);
    xcb_warp_pointer(connection, XCB_NONE, window, 0, 0, 0, 0, 20, 20);
    for (const auto &[type, key] : { std::pair { XCB_KEY_PRESS, control }, std::pair { XCB_KEY_PRESS, n },
             std::pair { XCB_KEY_RELEASE, n }, std::pair { XCB_KEY_RELEASE, control } })
        xcb_test_fake_input(connection, type, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(connection);
}

std::optional<StartupProbe::Launch> StartupProbe::Measure(
    const QString &program, const QString &title, bool secondWindow, QString *why)
{
    if (!error.isEmpty()) {
        *why = error;
        return std::nullopt;
    }
    drain();
    Target first;
    const Clock::time_point start = Clock::now();
    const pid_t pid = spawn(program);
    child = pid;
    childReaped = false;
    if (pid == 0) {
        *why = QStringLiteral("cannot start %1").arg(program);
        return std::nullopt;
    }
    std::optional<Launch> launch;
    if (waitForPaintedWindow(title, 0, first, start + WindowTimeout, why)) {
        launch = Launch {};
        launch->startupNanoseconds
            = double(std::chrono::duration_cast<std::chrono::nanoseconds>(first.paintedAt - start).count());
        launch->residentBytes = residentBytes(pid);
        if (secondWindow) {
            idle(SettleTime);
            const double before = residentBytes(pid);
            typeControlN(first.window);
            Target second;
            QString problem;
            if (waitForPaintedWindow(title, first.window, second, Clock::now() + WindowTimeout, &problem)) {
                idle(SettleTime);
                launch->secondWindowBytes = residentBytes(pid) - before;
            } else {
                launch->secondWindowProblem = QStringLiteral("no second window after Ctrl+N: ") + problem;
            }
        }
    }
    if (!childEnded()) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    drain();
    return launch;
}
