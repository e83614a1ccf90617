// What each realization of the runtime supplies to the shared part.
#pragma once

#include "platform/runtime.h"

#include <string>

namespace platform {

// The default error report: a modal warning box owned by the form, titled
// `title`, saying `text`, with one button "确定".
void ShowWarningBox(Form& form, const std::string& title, const std::string& text);

} // namespace platform
