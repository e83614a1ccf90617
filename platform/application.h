// Starting and running the program: the one place that owns the
// QApplication, the event loop and the start-up form.
#pragma once

#include <QWidget>

#include <memory>
#include <span>

namespace platform {

// What the program is, handed to Run once at start.
struct ProgramDescription {
    const char* name;    // application name, for settings paths and the desktop
    const char* version; // "1.0.0.0"
    const char* locale;  // declared locale of the program's texts, e.g. "zh_CN"
    const char* desktopFileName; // the desktop entry, so desktops match windows to it
    std::span<const char* const> iconFiles; // the application icon, one file a size
    std::unique_ptr<QWidget> (*createStartupForm)();
};

// Sets the running application up as described (name, version, locale and
// Qt's own texts in it, icon, desktop entry), then creates and shows the
// start-up form. Needs a QApplication.
std::unique_ptr<QWidget> Start(const ProgramDescription& program);

// Creates the application, shows the start-up form, runs the event loop and
// returns the exit status (0 once the last window is closed). Without a
// display to show the window on, says so on stderr and returns 2 instead of
// letting the window system abort the process.
int Run(int argc, char* argv[], const ProgramDescription& program);

} // namespace platform
