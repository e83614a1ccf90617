// Prints the name of the program's own face, then every text the program
// draws in it, one a line: the form's caption, its controls' texts and the
// warning's title, text and button. scripts/make-font cuts the captions' font
// to their characters and names it, and a test checks that the font has them
// all.
#include "platform/abstract_form.h"
#include "ui/Form1.h"

#include <cstdio>

int main()
{
    std::puts(platform::kFaces[0]);
    std::puts(Form1.caption);
    for (const platform::ControlDescription& control : Form1.controls)
        std::puts(control.text);
    std::puts(platform::ErrorText(platform::RuntimeError::Overflow));
    std::puts(platform::kWarningButton);
}
