#include "platform/errors.h"

#include <QMessageBox>

#include <utility>

namespace platform {
namespace {

void ShowWarningBox(QWidget* form, const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, form);
    // Named here rather than left to Qt's translations, which may be missing.
    box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.exec();
}

ErrorReporter& Reporter()
{
    static ErrorReporter reporter = ShowWarningBox;
    return reporter;
}

// The text the user reads for an error.
QString ErrorText(RuntimeError error)
{
    switch (error) {
    case RuntimeError::Overflow:
        return QStringLiteral("溢出：计算结果超出数值范围。");
    }
    return {};
}

} // namespace

void ReportRuntimeError(QWidget* form, RuntimeError error)
{
    Reporter()(form, form ? form->windowTitle() : QString(), ErrorText(error));
}

ErrorReporter SetErrorReporter(ErrorReporter reporter)
{
    return std::exchange(Reporter(), std::move(reporter));
}

} // namespace platform
