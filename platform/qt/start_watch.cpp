#include "platform/qt/start_watch.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace platform::qt {
namespace {

// A platform plugin Qt tried, and why it declined, in English and in Chinese.
struct Tried {
    QString plugin, english, chinese;
};

// Everything the watch knows. Qt's message handler is a plain function, so
// this object is the one place it can find it; Qt's own threads may log while the
// application is made, hence the lock.
struct Watch {
    std::mutex lock;
    bool watching = false;
    QtMessageHandler previous = nullptr;
    QByteArray programName, command;
    QList<Tried> tried;
    QStringList pending; // what went wrong since the last plugin declined
} watch;

// Qt's reasons in Chinese, with what they name (a display); anything else
// keeps its English.
QString Chinese(const QString& english)
{
    static const QList<std::pair<QString, QString>> known = {
        {QStringLiteral("no such plugin is installed"), QStringLiteral("没有安装这个平台插件")},
        {QStringLiteral("it could not be started"), QStringLiteral("无法启动")},
        {QStringLiteral("no screen is available"), QStringLiteral("没有可用的屏幕")},
        {QStringLiteral("DISPLAY is not set"), QStringLiteral("未设置 DISPLAY")},
        {QStringLiteral("could not connect to display"), QStringLiteral("连接不上显示器")},
        {QStringLiteral("Failed to create wl_display"), QStringLiteral("连接不上 Wayland 合成器")},
    };
    for (const auto& [start, chinese] : known)
        if (english.startsWith(start)) {
            const QString named = english.mid(start.size()).section(QLatin1Char('('), 0, 0).trimmed();
            return named.isEmpty() ? chinese : chinese + QLatin1Char(' ') + named;
        }
    return QStringLiteral("无法启动：") + english;
}

void Decline(const QString& plugin, const QString& english)
{
    QString reason = english.trimmed();
    if (reason.isEmpty())
        reason = QStringLiteral("it could not be started");
    else if (reason == QLatin1String("could not connect to display"))
        reason = QStringLiteral("DISPLAY is not set");
    watch.tried.append({plugin, reason, Chinese(reason)});
}

[[noreturn]] void Fail()
{
    const char* name = watch.programName.constData();
    const char* command = watch.command.constData();
    // A plugin that failed on its own before Qt took it on has no name here.
    std::fprintf(stderr, "%s: 本程序需要图形桌面，但无法启动：\n", name);
    for (const Tried& t : watch.tried)
        std::fprintf(stderr, "  %s%s%s\n", qPrintable(t.plugin), t.plugin.isEmpty() ? "" : "：", qPrintable(t.chinese));
    std::fprintf(stderr, "%s: this program needs a graphical desktop, and cannot start one:\n", name);
    for (const Tried& t : watch.tried)
        std::fprintf(stderr, "  %s%s%s\n", qPrintable(t.plugin), t.plugin.isEmpty() ? "" : ": ", qPrintable(t.english));
    std::fprintf(stderr,
                 "没有图形桌面时，可以用虚拟 X 服务器运行：xvfb-run -a %s\n"
                 "To run it without one, use a virtual X server: xvfb-run -a %s\n",
                 command, command);
    std::_Exit(2);
}

// Takes note of what a message says about the plugins; says whether it is
// the fatal end of the start.
bool Note(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const QByteArray category(context.category ? context.category : "");
    static const QRegularExpression pluginMessage(QStringLiteral("Qt platform plugin \"([^\"]*)\""));
    if (type == QtFatalMsg) {
        // Every plugin has declined; or the one Qt took on failed on its own.
        if (!message.contains(QLatin1String("no Qt platform plugin could be initialized")))
            Decline(QGuiApplication::platformName(), message.section(QLatin1Char('\n'), 0, 0));
        return true;
    }
    if (category == "qt.qpa.plugin") {
        if (const auto match = pluginMessage.match(message); match.hasMatch()) {
            const bool installed = message.contains(QLatin1String("even though it was found"));
            Decline(match.captured(1),
                    installed ? watch.pending.join(QLatin1String("; ")) : QStringLiteral("no such plugin is installed"));
            watch.pending.clear();
        }
    } else if (type == QtCriticalMsg || (type == QtWarningMsg && category.startsWith("qt.qpa"))) {
        watch.pending.append(message);
    }
    return false;
}

// Every message goes on to the handler installed before, the fatal one
// first of all, since that handler may be what records it.
void Handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    std::unique_lock lock(watch.lock);
    const QtMessageHandler previous = watch.previous;
    const bool fatal = watch.watching && Note(type, context, message);
    lock.unlock();
    previous(type, context, message);
    if (fatal) {
        lock.lock();
        Fail();
    }
}

} // namespace

StartWatch::StartWatch(const char* programName, const char* command)
{
    const std::lock_guard lock(watch.lock);
    watch.programName = programName;
    watch.command = command;
    watch.tried.clear();
    watch.pending.clear();
    watch.watching = true;
    watch.previous = qInstallMessageHandler(Handle);
}

StartWatch::~StartWatch()
{
    const std::lock_guard lock(watch.lock);
    watch.watching = false;
    qInstallMessageHandler(watch.previous);
}

void StartWatch::RequireScreen()
{
    if (!QGuiApplication::screens().isEmpty())
        return;
    const std::lock_guard lock(watch.lock);
    Decline(QGuiApplication::platformName(), QStringLiteral("no screen is available"));
    Fail();
}

} // namespace platform::qt
