#include "platform/backend.h"
#include "platform/runtime.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// The constructors of static objects, which the linker gathers into one
// function. The module has no start-up code that would call it (no main).
extern "C" void __wasm_call_ctors();

namespace platform::web {
namespace page {

// What the page's script (runtime.js) does for the module. Texts cross as
// UTF-8: where they start in the module's memory and their length in bytes.
#define PAGE_IMPORT(name) __attribute__((import_module("page"), import_name(#name)))

// The control named `name`, a button, runs a handler when activated: the
// script then calls platform_click with `index`.
PAGE_IMPORT(clickable) void Clickable(const char* name, std::size_t nameSize, std::size_t index);
// Hands the text of a box back through platform_receive.
PAGE_IMPORT(text) void Text(const char* box, std::size_t boxSize);
PAGE_IMPORT(setCaption)
void SetCaption(const char* label, std::size_t labelSize, const char* text, std::size_t textSize);
// Shows a modal warning with one button, and returns at once.
PAGE_IMPORT(warn)
void Warn(const char* title, std::size_t titleSize, const char* text, std::size_t textSize, const char* button,
          std::size_t buttonSize);

#undef PAGE_IMPORT

} // namespace page

namespace {

// The text the script is handing over (platform_receive).
std::string received;

class WebForm final : public Form {
public:
    explicit WebForm(const FormDescription& description)
        : description_(description)
    {
    }

    // The page shows the described caption, which never changes.
    std::string Caption() const override { return description_.caption; }
    std::string Text(std::string_view box) const override
    {
        page::Text(box.data(), box.size());
        return std::exchange(received, {});
    }
    // The page widens a label to the right as its text needs, up to the
    // form's width.
    void SetCaption(std::string_view label, std::string_view text) override
    {
        page::SetCaption(label.data(), label.size(), text.data(), text.size());
    }

    void Click(std::size_t index)
    {
        if (index < description_.controls.size() && description_.controls[index].click)
            description_.controls[index].click(*this);
    }

private:
    const FormDescription& description_;
};

std::optional<WebForm> form;

} // namespace
} // namespace platform::web

// What the page's script calls, besides the program's start.
extern "C" {

// A button was activated: the control at `index` in tab order.
__attribute__((export_name("click"))) void platform_click(std::size_t index)
{
    if (platform::web::form)
        platform::web::form->Click(index);
}

// Room for `size` bytes of text, which the script writes for page::Text.
__attribute__((export_name("receive"))) char* platform_receive(std::size_t size)
{
    platform::web::received.resize(size);
    return platform::web::received.data();
}

} // extern "C"

namespace platform {

int Run(const ProgramDescription& program, int, char*[])
{
    // Run once, by the page's first call into the module.
    __wasm_call_ctors();
    // The page already shows the form, with the focus in its first box: the
    // build wrote its markup from this same description (markup.h). What is
    // left is to give the buttons their handlers.
    const FormDescription& description = *program.startupForm;
    web::form.emplace(description);
    for (std::size_t index = 0; index < description.controls.size(); ++index) {
        const ControlDescription& control = description.controls[index];
        if (control.click) {
            const std::string_view name = control.name;
            web::page::Clickable(name.data(), name.size(), index);
        }
    }
    // The browser's own loop runs the page from here on.
    return 0;
}

void ShowWarningBox(Form&, const std::string& title, const std::string& text)
{
    const std::string_view button = kWarningButton;
    web::page::Warn(title.data(), title.size(), text.data(), text.size(), button.data(), button.size());
}

} // namespace platform
