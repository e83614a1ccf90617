#include "platform/abstract_form.h"
#include "platform/runtime.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

// The constructors of static objects, which the linker gathers into one
// function. The module has no start-up code that would call it (no main).
extern "C" void __wasm_call_ctors();

namespace platform::web {
namespace page {

// What the page's script (page.js) does for the module, each control by its
// index in tab order, which is its place among the form's elements. Texts
// cross as UTF-8: where they start in the module's memory and their length
// in bytes.
#define PAGE_IMPORT(name) __attribute__((import_module("page"), import_name(#name)))

// Hands the text of a box back through platform_receive.
PAGE_IMPORT(text) void Text(std::size_t box);
// The width in CSS pixels of a text in the face of the label `label`.
PAGE_IMPORT(measure) int Measure(std::size_t label, const char* text, std::size_t size);
// Shows a text in a label, now `width` CSS pixels wide.
PAGE_IMPORT(setCaption) void SetCaption(std::size_t label, const char* text, std::size_t size, int width);
// Shows the modal warning, and returns at once.
PAGE_IMPORT(warn) void Warn(const char* title, std::size_t titleSize, const char* text, std::size_t textSize);

#undef PAGE_IMPORT

} // namespace page

namespace {

// The text the script is handing over (platform_receive).
std::string received;

// The page's elements are in CSS pixels, 96 to the inch. The page already
// shows them, as the build wrote them from the description (markup.h).
class WebForm final : public AbstractForm {
public:
    using AbstractForm::AbstractForm;

    void ShowWarning(const std::string& title, const std::string& text) override
    {
        page::Warn(title.data(), title.size(), text.data(), text.size());
    }

private:
    std::string BoxText(std::size_t index) const override
    {
        page::Text(index);
        return std::exchange(received, {});
    }
    int TextWidth(std::size_t index, std::string_view text) const override
    {
        return page::Measure(index, text.data(), text.size());
    }
    // A label widens only to the right: its width is all that changes.
    void ShowCaption(std::size_t index, std::string_view text, const Rect& place) override
    {
        page::SetCaption(index, text.data(), text.size(), place.width);
    }
};

// Made once and never destroyed: the page's life is the module's. A static
// object with a destructor would bring in the C library's exit and its file
// output.
WebForm* form = nullptr;

} // namespace
} // namespace platform::web

// What the page's script calls, besides the program's start.
extern "C" {

// The control at `index` was activated.
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

int platform::Run(const ProgramDescription& program, int, char*[])
{
    // Run once, by the page's first call into the module. The page already
    // shows the form, with the focus in its first box; the browser's own
    // loop runs it from here on.
    __wasm_call_ctors();
    web::form = new web::WebForm(*program.startupForm);
    return 0;
}

// A pure virtual function called (a fault of the program) traps, which the
// page reports as it does any trap. The C++ library's own handler would print
// first, and bring the C library's file output (20 KB) into the module.
extern "C" void __cxa_pure_virtual()
{
    __builtin_trap();
}
