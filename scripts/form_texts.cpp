// Prints the name of the program's own face, then every text the program
// draws in it, one a line: the form's caption, its controls' texts and the
// warning's title, text and button. scripts/make-font cuts the captions' font
// to their characters and names it, and a test checks that the font has them
// all.
#include "platform/abstract_form.h"
#include "ui/Form1.h"

#include <cstdio>

namespace {

// A form that only has a caption, for the runtime to word its warning.
struct Captioned final : platform::Form {
    std::string Caption() const override { return Form1.caption; }
    std::string Text(std::string_view) const override { return {}; }
    void SetCaption(std::string_view, std::string_view) override {}
};

} // namespace

int main()
{
    std::puts(platform::kFaces[0]);
    std::puts(Form1.caption);
    for (const platform::ControlDescription& control : Form1.controls)
        std::puts(control.text);
    platform::SetErrorReporter([](platform::Form&, const std::string& title, const std::string& text) {
        std::puts(title.c_str());
        std::puts(text.c_str());
    });
    Captioned form;
    platform::ReportRuntimeError(form, platform::RuntimeError::Overflow);
    std::puts(platform::kWarningButton);
}
