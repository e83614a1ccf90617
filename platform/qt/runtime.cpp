#include "platform/backend.h"
#include "platform/qt/form.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

#include <cstdio>

namespace platform {
namespace {

// Qt's X11 and Wayland back ends abort when there is no server to connect to;
// tell the user what is wrong instead. An explicit QT_QPA_PLATFORM (offscreen,
// vnc, ...) is left to Qt.
bool HasDisplay()
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
           || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

void ShowWarningBox(Form& form, const std::string& title, const std::string& text)
{
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(title),
                    QString::fromStdString(text), QMessageBox::NoButton,
                    dynamic_cast<QWidget*>(&form));
    // Named here rather than left to Qt's translations, which may be missing.
    box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.exec();
}

int Run(const ProgramDescription& program, int argc, char* argv[])
{
    if (!HasDisplay()) {
        std::fprintf(stderr,
                     "%s: 本程序需要图形桌面。\n"
                     "%s: this program needs a graphical desktop (no DISPLAY or WAYLAND_DISPLAY "
                     "is set).\n"
                     "To run it without one, use a virtual X server: xvfb-run -a %s\n",
                     program.name, program.name, argc > 0 ? argv[0] : program.name);
        return 2;
    }

    QApplication app(argc, argv);
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
    if (qtTexts->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtTexts);

    std::unique_ptr<QWidget> form = CreateForm(*program.startupForm);
    form->show();
    return form;
}

} // namespace platform
