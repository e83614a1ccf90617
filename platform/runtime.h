// The runtime the program is written against: it starts the program from its
// description, makes the start-up form from the form's description, runs the
// event loop on the one thread, and gives the program's handlers their few
// services. No toolkit here: platform/qt/ realizes it on Qt, platform/win32/
// on the Win32 API, platform/web/ in the browser.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace platform {

class Form;

enum class ControlKind { TextBox, Label, Button };

// One control of a form. Places and sizes are in twips (1/1440 inch) from the
// top-left corner of the form's client area: 15 twips to a pixel at 96 dpi.
struct ControlDescription {
    const char* name;
    ControlKind kind;
    int left, top, width, height;
    const char* text;                // initial text or caption, UTF-8
    const char* buddy = nullptr;     // a caption: the box it names, for screen readers
    void (*click)(Form&) = nullptr;  // a button: what activating it runs
    bool selectable = false;         // a label whose text can be selected and copied
};

// A form: its title, the size of its client area in twips, and its controls
// in tab order, which is also the order they are created in. The controls
// keep their places when the window changes size.
struct FormDescription {
    const char* caption;
    int width, height;
    std::span<const ControlDescription> controls;
};

// What a program is, handed to Run once by the process entry.
struct ProgramDescription {
    const char* name = ""; // short name, as the program is started: messages about its start
    const FormDescription* startupForm = nullptr;
};

// A form as a handler sees it while it runs. Names are those of the
// description (a name that is not there reads as "" and shows nothing);
// texts are UTF-8.
class Form {
public:
    virtual std::string Caption() const = 0;
    // The text of a text box.
    virtual std::string Text(std::string_view box) const = 0;
    // Shows `text` as a label's caption. A label keeps its described place and
    // size while the text fits; a longer text widens it to the right, up to the
    // form's described width, so that a result is never shown cut short.
    virtual void SetCaption(std::string_view label, std::string_view text) = 0;

protected:
    ~Form() = default;
};

enum class RuntimeError {
    Overflow, // a value beyond the range of a double
};

// The text the user reads for an error.
const char* ErrorText(RuntimeError error);

// Tells the user about an error that left a handler of `form`; the program
// goes on running: the form's warning box, titled like the form, with the
// error's text and one button "确定".
void ReportRuntimeError(Form& form, RuntimeError error);

// Sets the process up for `program`, creates and shows its start-up form with
// the focus in its first control, runs the event loop and returns the exit
// status: 0 once the form is closed. Where no window can be shown it says why
// (on stderr, and in a message box where one can still be shown) and returns 2.
// In the browser, whose own loop runs the page, it returns 0 once the form
// is shown.
int Run(const ProgramDescription& program, int argc, char* argv[]);

} // namespace platform

// The process entry: hands the program to Run, which owns the process from
// then on. main on Linux; the wide-character wWinMain on Windows, which reads
// no command line; in the browser, the module's exported start, which the
// page's script calls once.
#if defined(__wasm__)
#define PLATFORM_MAIN(program)                                           \
    extern "C" __attribute__((export_name("start"))) int platform_start() \
    {                                                                    \
        return ::platform::Run(program, 0, nullptr);                     \
    }
#elif defined(_WIN32)
#define PLATFORM_MAIN(program)                                                              \
    extern "C" int __stdcall wWinMain(struct HINSTANCE__*, struct HINSTANCE__*, wchar_t*, int) \
    {                                                                                       \
        return ::platform::Run(program, 0, nullptr);                                        \
    }
#else
#define PLATFORM_MAIN(program)                   \
    int main(int argc, char* argv[])             \
    {                                            \
        return ::platform::Run(program, argc, argv); \
    }
#endif
