// What each realization of the runtime supplies to the shared part.
#pragma once

#include "platform/runtime.h"

#include <string>

namespace platform {

// The caption of the warning box's one button, whatever the system's language.
inline constexpr char kWarningButton[] = "确定";

// The default error report: a modal warning box owned by the form, titled
// `title`, saying `text`, with one button kWarningButton.
void ShowWarningBox(Form& form, const std::string& title, const std::string& text);

} // namespace platform
