// The Win32 realization's own entry points, for its tests.
#pragma once

#include "platform/runtime.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace platform::win32 {

// A top-level window made from a form's description, not yet shown: every
// control at its place for the window's DPI, created in tab order, each
// button's click bound to its handler, the focus to go to the first control
// that takes it once the window is shown and active. Destroying the window
// ends the message loop.
HWND CreateForm(const FormDescription& description);

// A control of a form made by CreateForm, by its described name.
HWND Control(HWND form, std::string_view name);

// Handles one message as the message loop does: the keys that move between
// controls (Tab, Shift+Tab, Enter) first, then the message's window.
void Dispatch(MSG& message);

// A window's text: a control's text or caption, a form's title.
std::wstring WindowText(HWND window);

// Text between the program's UTF-8 and the window system's UTF-16.
std::wstring Wide(std::string_view text);
std::string Utf8(std::wstring_view text);

} // namespace platform::win32
