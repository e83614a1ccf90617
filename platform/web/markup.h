// The form as the page's own HTML, which the build writes into the page
// (make-page), so that the browser shows the form, ready for typing, as it
// parses the page: before the script has compiled and started the module,
// which then only attaches the handlers (module.cpp).
#pragma once

#include "platform/runtime.h"

#include <string>

namespace platform::web {

struct FormMarkup {
    // The form's section: its caption as the heading, then its controls in tab
    // order, each an element with the control's name as its id, the first that
    // takes the focus focused when the page loads; then its warning box.
    std::string html;
    // A style rule for each control: its place and size in CSS pixels
    // (--left, --top, --width, --height, as FormLayout has them) and its
    // place in one column (--column, from 1), where page.css sets the
    // controls out on a narrow screen.
    std::string style;
};

// Everything written comes from the description, never from what a user types.
FormMarkup MarkupOf(const FormDescription& form);

} // namespace platform::web
