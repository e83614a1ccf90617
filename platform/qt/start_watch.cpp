#include "platform/qt/start_watch.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace platform::qt {
namespace {

// A platform plugin Qt tried, and why it declined, in English and in Chinese.
struct Tried {
    QString plugin, english, chinese;
};

struct Watch {
    QtMessageHandler previous;
    QByteArray programName, command;
    QList<Tried> tried;
    QStringList pending; // what went wrong since the last plugin declined
};
Watch* watch = nullptr;

// Qt's reasons in Chinese, with what they name (a display); anything else
// keeps its English.
QString Chinese(const QString& english)
{
    static const QList<std::pair<QString, QString>> known = {
        {QStringLiteral("no such plugin is installed"), QStringLiteral("没有安装这个平台插件")},
        {QStringLiteral("it could not be started"), QStringLiteral("无法启动")},
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
    watch->tried.append({plugin, reason, Chinese(reason)});
}

[[noreturn]] void Fail()
{
    const char* name = watch->programName.constData();
    const char* command = watch->command.constData();
    std::fprintf(stderr, "%s: 本程序需要图形桌面，但无法启动：\n", name);
    // A plugin that failed on its own before Qt took it on has no name here.
    for (const Tried& t : watch->tried)
        std::fprintf(stderr, "  %s%s%s\n", qPrintable(t.plugin), t.plugin.isEmpty() ? "" : "：", qPrintable(t.chinese));
    std::fprintf(stderr, "%s: this program needs a graphical desktop, and cannot start one:\n", name);
    for (const Tried& t : watch->tried)
        std::fprintf(stderr, "  %s%s%s\n", qPrintable(t.plugin), t.plugin.isEmpty() ? "" : ": ", qPrintable(t.english));
    std::fprintf(stderr,
                 "没有图形桌面时，可以用虚拟 X 服务器运行：xvfb-run -a %s\n"
                 "To run it without one, use a virtual X server: xvfb-run -a %s\n",
                 command, command);
    std::_Exit(2);
}

void Handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const QByteArray category(context.category ? context.category : "");
    static const QRegularExpression pluginMessage(QStringLiteral("Qt platform plugin \"([^\"]*)\""));
    if (type == QtFatalMsg) {
        // Every plugin has declined; or one failed on its own, naming itself
        // only once it is the application's platform.
        if (!message.contains(QLatin1String("no Qt platform plugin could be initialized")))
            Decline(QGuiApplication::platformName(), message.section(QLatin1Char('\n'), 0, 0));
        Fail();
    }
    watch->previous(type, context, message);
    if (category == "qt.qpa.plugin") {
        if (const auto match = pluginMessage.match(message); match.hasMatch()) {
            const bool installed = message.contains(QLatin1String("even though it was found"));
            Decline(match.captured(1), installed ? watch->pending.join(QLatin1String("; "))
                                                 : QStringLiteral("no such plugin is installed"));
            watch->pending.clear();
        }
    } else if (type == QtCriticalMsg || (type == QtWarningMsg && category.startsWith("qt.qpa"))) {
        watch->pending.append(message);
    }
}

} // namespace

StartWatch::StartWatch(const char* programName, const char* command)
{
    watch = new Watch{nullptr, programName, command, {}, {}};
    watch->previous = qInstallMessageHandler(Handle);
}

StartWatch::~StartWatch()
{
    qInstallMessageHandler(watch->previous);
    delete watch;
    watch = nullptr;
}

} // namespace platform::qt
