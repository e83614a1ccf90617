// Making the application object is where Qt reaches a window system: it
// tries each platform plugin it chose, logs why each declined, and ends with
// a fatal message and an abort. While a StartWatch lives, that fatal message
// ends the process plainly instead: status 2, what was tried and why in
// Chinese and in English, and how to run headless.
#pragma once

namespace platform::qt {

class StartWatch {
public:
    // Watches Qt's messages from now on; every message, a fatal one too, still
    // reaches the handler installed before. `command` is how the program was
    // started.
    StartWatch(const char* programName, const char* command);
    // Puts the handler installed before back.
    ~StartWatch();

    // Once the application object is made: a plugin that started without any
    // screen (linuxfb without a frame buffer) can show no window either, and
    // ends the process the same way.
    void RequireScreen();

    StartWatch(const StartWatch&) = delete;
    StartWatch& operator=(const StartWatch&) = delete;
};

} // namespace platform::qt
