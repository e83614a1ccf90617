#include "platform/qt/form.h"
#include "platform/qt/start_watch.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <optional>

namespace platform {

int Run(const ProgramDescription& program, int argc, char* argv[])
{
    // Qt chooses the window system as it makes the application object; a
    // start that cannot reach one, or reaches one without a screen, ends
    // with its reason and status 2.
    std::optional<QApplication> app;
    {
        qt::StartWatch watch(program.name, argc > 0 ? argv[0] : program.name);
        app.emplace(argc, argv);
        watch.RequireScreen();
    }
    const std::unique_ptr<QWidget> form = qt::Start(program);
    return QApplication::exec();
}

std::unique_ptr<QWidget> qt::Start(const ProgramDescription& program)
{
    QApplication::setApplicationName(QString::fromUtf8(program.name));
    // The desktop entry that the build installs, which desktops match the
    // window to; and the window's icon: each image the program carries in
    // its resources under icons/, one a size.
    QGuiApplication::setDesktopFileName(QStringLiteral(DESKTOP_ENTRY));
    QIcon icon;
    for (const QFileInfo& image : QDir(QStringLiteral(":/icons")).entryInfoList(QDir::Files))
        icon.addFile(image.filePath());
    QApplication::setWindowIcon(icon);

    // The runtime's own texts (the warning, its button) are Simplified
    // Chinese; Qt's (a text box's context menu, for one) follow where Qt's
    // translations are installed.
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    auto* qtTexts = new QTranslator(qApp);
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    const QString translations = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
    if (qtTexts->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"), translations))
        QApplication::installTranslator(qtTexts);

    std::unique_ptr<QWidget> form = CreateForm(*program.startupForm);
    form->show();
    return form;
}

} // namespace platform
