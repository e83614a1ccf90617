// Finding the window system before Qt does. Qt's X11 and Wayland back ends
// abort the process when nothing answers; the program looks first, so that a
// start without a desktop ends with a plain message and status 2.
#pragma once

namespace platform::qt {

// Works out the window system Qt is going to start on, as Qt chooses it: a
// -platform argument, else QT_QPA_PLATFORM (a ';'-separated list of choices,
// each "name" or "name:options"), else Wayland when WAYLAND_DISPLAY is set or
// in a Wayland session (XDG_SESSION_TYPE), then X11. Each choice needs its
// plugin installed; X11 and Wayland also need their server to answer; any
// other installed plugin (offscreen, vnc, ...) is left to Qt.
//
// Returns true when a choice can be used; when earlier ones cannot, Qt is
// told to start on it at once. Otherwise writes to stderr, in Chinese and in
// English, each choice and why it failed, and how to run headless, and
// returns false. Call before the QApplication is made. Does nothing on
// systems other than X11/Wayland ones.
bool FindDisplay(int argc, char* argv[], const char* programName);

} // namespace platform::qt
