#include "platform/qt/display.h"

#include <QtGlobal>

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
#define DISPLAY_CHECK 1

#include <QByteArray>
#include <QByteArrayList>
#include <QFile>
#include <QLibraryInfo>
#include <QList>

#include <xcb/xcb.h>

#include <dirent.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <optional>
#endif

namespace platform::qt {

#ifdef DISPLAY_CHECK
namespace {

// Why a window system cannot be used, in both languages.
struct Reason {
    QByteArray chinese;
    QByteArray english;
};

QByteArray Quoted(const QByteArray& text)
{
    return '"' + text + '"';
}

// Whether something takes connections on the Unix socket `path` (a name in
// the abstract namespace when `abstract`).
bool Answers(const QByteArray& path, bool abstract)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t start = abstract ? 1 : 0; // abstract names start with a zero byte
    const auto size = static_cast<std::size_t>(path.size());
    if (start + size >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path + start, path.constData(), size);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + start + size + (abstract ? 0 : 1));
    const bool answered = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
    ::close(fd);
    return answered;
}

// The display number of a local X display name (":0", ":1.0", "unix:0"), or
// an empty text for any other name.
QByteArray LocalDisplayNumber(const QByteArray& display)
{
    const qsizetype colon = display.lastIndexOf(':');
    if (colon < 0 || (colon > 0 && display.left(colon) != "unix"))
        return {};
    QByteArray number = display.mid(colon + 1);
    if (const qsizetype dot = number.indexOf('.'); dot >= 0)
        number.truncate(dot);
    bool isNumber = false;
    number.toUInt(&isNumber);
    return isNumber ? number : QByteArray();
}

// Connects to the X server as Qt's X11 back end will (the same library, the
// same display name and authorisation) and hangs up again.
std::optional<Reason> ReachX11(const QByteArray& display)
{
    if (display.isEmpty())
        return Reason{"未设置 DISPLAY", "DISPLAY is not set"};
    int screen = 0; // asking for it makes the library check that the screen exists
    xcb_connection_t* connection = xcb_connect(display.constData(), &screen);
    const int error = xcb_connection_has_error(connection);
    xcb_disconnect(connection);
    const QByteArray name = Quoted(display);
    if (error == 0)
        return std::nullopt;
    if (error == XCB_CONN_CLOSED_PARSE_ERR)
        return Reason{name + " 不是有效的 X 显示名", name + " is not an X display name"};
    if (error == XCB_CONN_CLOSED_INVALID_SCREEN)
        return Reason{name + " 上的 X 服务器没有这个屏幕", "the X server at " + name + " has no such screen"};
    // Tell a server that turned the program away (not authorised) from none.
    const QByteArray number = LocalDisplayNumber(display);
    if (number.isEmpty())
        return Reason{"连接不上 " + name + " 上的 X 服务器", "cannot connect to the X server at " + name};
    const QByteArray socket = "/tmp/.X11-unix/X" + number;
    if (Answers(socket, true) || Answers(socket, false))
        return Reason{name + " 上的 X 服务器拒绝了连接（未获授权？）",
                      "the X server at " + name + " refused the connection (not authorised?)"};
    return Reason{name + " 上没有 X 服务器应答", "no X server answers at " + name};
}

// Connects to the compositor's socket where Qt's Wayland back end will look
// for it (WAYLAND_DISPLAY, wayland-0 when unset, in XDG_RUNTIME_DIR unless it
// is a path) and hangs up again.
std::optional<Reason> ReachWayland()
{
    if (!qEnvironmentVariableIsEmpty("WAYLAND_SOCKET"))
        return std::nullopt; // a connection the compositor handed over
    QByteArray socket = qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ? qgetenv("WAYLAND_DISPLAY") : "wayland-0";
    if (!socket.startsWith('/')) {
        const QByteArray folder = qgetenv("XDG_RUNTIME_DIR");
        if (!folder.startsWith('/'))
            return Reason{"XDG_RUNTIME_DIR 未设为文件夹路径，找不到 Wayland 套接字 " + Quoted(socket),
                          "XDG_RUNTIME_DIR is not set to a folder, so the Wayland socket " + Quoted(socket)
                              + " cannot be found"};
        socket = folder + '/' + socket;
    }
    if (Answers(socket, false))
        return std::nullopt;
    return Reason{Quoted(socket) + " 上没有 Wayland 合成器应答", "no Wayland compositor answers at " + Quoted(socket)};
}

// The platform plugin files Qt can load, and the folders they are in: the
// plugin path given to Qt, then platforms/ under each library path
// (QT_PLUGIN_PATH, Qt's plugin folder, the program's folder). Listed with
// the C library: cheaper at start-up than through Qt.
struct Plugins {
    QByteArrayList files; // in lower case
    QByteArrayList folders;

    explicit Plugins(const QByteArray& pluginPath)
    {
        QByteArrayList libraryPaths = qgetenv("QT_PLUGIN_PATH").split(':');
        libraryPaths << QFile::encodeName(QLibraryInfo::path(QLibraryInfo::PluginsPath));
        char program[4096];
        if (const ssize_t size = ::readlink("/proc/self/exe", program, sizeof program); size > 0) {
            const QByteArray path(program, size);
            libraryPaths << path.left(path.lastIndexOf('/'));
        }
        QByteArrayList candidates;
        if (!pluginPath.isEmpty())
            candidates << pluginPath;
        for (const QByteArray& path : libraryPaths)
            if (!path.isEmpty() && !candidates.contains(path + "/platforms"))
                candidates << path + "/platforms";
        for (const QByteArray& folder : candidates) {
            DIR* dir = ::opendir(folder.constData());
            if (!dir)
                continue;
            folders << folder;
            while (const dirent* entry = ::readdir(dir))
                if (const QByteArray file(entry->d_name); file.endsWith(".so"))
                    files << file.toLower();
            ::closedir(dir);
        }
    }

    // Qt names its plugin files "libq" and the platform ("libqxcb.so",
    // "libqwayland-generic.so"); others use "lib" and the platform.
    bool Has(const QByteArray& platform) const
    {
        for (const QByteArray& file : files)
            if (file.startsWith("libq" + platform) || file.startsWith("lib" + platform))
                return true;
        return false;
    }

    Reason Missing(const QByteArray& platform) const
    {
        const QByteArray where = folders.join(", ");
        return {"未安装 Qt 平台插件 " + Quoted(platform) + "（查找了 " + where + "）",
                "no Qt platform plugin " + Quoted(platform) + " is installed (looked in " + where + ")"};
    }
};

struct Failure {
    QByteArray platform;
    Reason reason;
};

void Report(const QList<Failure>& failures, const char* programName, const char* command)
{
    std::fprintf(stderr, "%s: 本程序需要图形桌面，但连接不上：\n", programName);
    for (const Failure& failure : failures)
        std::fprintf(stderr, "  %s：%s\n", failure.platform.constData(), failure.reason.chinese.constData());
    std::fprintf(stderr, "%s: this program needs a graphical desktop, and cannot reach one:\n", programName);
    for (const Failure& failure : failures)
        std::fprintf(stderr, "  %s: %s\n", failure.platform.constData(), failure.reason.english.constData());
    std::fprintf(stderr,
                 "没有图形桌面时，可以用虚拟 X 服务器运行：xvfb-run -a %s\n"
                 "To run it without one, use a virtual X server: xvfb-run -a %s\n",
                 command, command);
}

} // namespace

bool FindDisplay(int argc, char* argv[], const char* programName)
{
    // What Qt chooses from: its arguments win over the environment.
    QByteArray choices = qgetenv("QT_QPA_PLATFORM");
    QByteArray pluginPath = qgetenv("QT_QPA_PLATFORM_PLUGIN_PATH");
    QByteArray display = qgetenv("DISPLAY");
    int choicesArgument = -1;
    for (int i = 1; i + 1 < argc; ++i) {
        const char* option = argv[i];
        if (option[0] != '-')
            continue;
        if (option[1] == '-')
            ++option;
        if (std::strcmp(option, "-platform") == 0) {
            choicesArgument = ++i;
            choices = argv[i];
        }
        else if (std::strcmp(option, "-platformpluginpath") == 0)
            pluginPath = argv[++i];
        else if (std::strcmp(option, "-display") == 0)
            display = argv[++i];
    }
    if (choices.isEmpty()) {
        // Qt's own choice on Linux: Wayland first when WAYLAND_DISPLAY is set
        // (even empty) or in a Wayland session, then X11.
        const bool wayland = qEnvironmentVariableIsSet("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland";
        choices = wayland ? "wayland;xcb" : "xcb";
    }

    const Plugins plugins(pluginPath);
    QList<Failure> failures;
    for (const QByteArray& choice : choices.split(';')) {
        const qsizetype colon = choice.indexOf(':');
        const QByteArray platform = (colon < 0 ? choice : choice.left(colon)).toLower();
        std::optional<Reason> reason;
        if (platform.isEmpty() || !plugins.Has(platform))
            reason = plugins.Missing(platform);
        else if (platform == "xcb")
            reason = ReachX11(display);
        else if (platform.startsWith("wayland"))
            reason = ReachWayland();
        if (reason) {
            failures.append({platform.isEmpty() ? Quoted(platform) : platform, *reason});
            continue;
        }
        if (!failures.isEmpty()) {
            // Start Qt on this choice at once; those before it would fail again.
            if (choicesArgument >= 0) {
                static QByteArray kept;
                kept = choice;
                argv[choicesArgument] = kept.data();
            } else {
                qputenv("QT_QPA_PLATFORM", choice);
            }
        }
        return true;
    }
    Report(failures, programName, argc > 0 ? argv[0] : programName);
    return false;
}

#else

bool FindDisplay(int, char*[], const char*)
{
    return true;
}

#endif

} // namespace platform::qt
