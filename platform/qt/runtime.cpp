#include "platform/backend.h"
#include "platform/qt/form.h"
#include "platform/qt/start_watch.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

#include <optional>

namespace platform {

void ShowWarningBox(Form& form, const std::string& title, const std::string& text)
{
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(title),
                    QString::fromStdString(text), QMessageBox::NoButton,
                    dynamic_cast<QWidget*>(&form));
    // Named here rather than left to Qt's translations, which may be missing.
    box.addButton(QString::fromUtf8(kWarningButton), QMessageBox::AcceptRole);
    box.exec();
}

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
    QApplication::setApplicationVersion(QString::fromUtf8(program.version));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(program.desktopFileName));

    QIcon icon;
    for (const char* file : program.iconFiles)
        icon.addFile(QString::fromUtf8(file));
    QApplication::setWindowIcon(icon);

    const QLocale locale(QString::fromUtf8(program.locale));
    QLocale::setDefault(locale);
    // Qt's own texts (a text box's context menu, for one) in the program's
    // language when the translations are installed; otherwise Qt's default.
    auto* qtTexts = new QTranslator(qApp);
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    const QString translations = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
    if (qtTexts->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), translations))
        QApplication::installTranslator(qtTexts);

    std::unique_ptr<QWidget> form = CreateForm(*program.startupForm);
    form->show();
    return form;
}

} // namespace platform
