// A start that cannot reach a window system: Qt tries each platform plugin it
// chose, logs why each declined, and ends with a fatal message and an abort.
// While a StartWatch lives, that fatal message ends the process plainly
// instead: status 2, what was tried and why, and how to run headless.
#pragma once

namespace platform::qt {

class StartWatch {
public:
    // Watches Qt's messages from now on; every message still reaches the
    // handler installed before. `command` is how the program was started.
    StartWatch(const char* programName, const char* command);
    // Puts the handler installed before back.
    ~StartWatch();

    StartWatch(const StartWatch&) = delete;
    StartWatch& operator=(const StartWatch&) = delete;
};

} // namespace platform::qt
