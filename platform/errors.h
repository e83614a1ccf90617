// Run-time errors: what the program's code cannot carry on from is handed
// here, and the user is told.
#pragma once

#include <QString>
#include <QWidget>

#include <functional>

namespace platform {

enum class RuntimeError {
    Overflow, // a value beyond the range of a double
};

// Tells the user about an error that left a command of `form`: by default a
// warning box titled like the form, with one button "确定". The program goes
// on running afterwards.
void ReportRuntimeError(QWidget* form, RuntimeError error);

// Replaces how errors are shown (tests record them instead of opening a
// modal box); returns the reporter that was installed before.
using ErrorReporter = std::function<void(QWidget* form, const QString& title, const QString& text)>;
ErrorReporter SetErrorReporter(ErrorReporter reporter);

} // namespace platform
