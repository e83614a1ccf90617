// The Qt realization's own entry points, for its tests and benchmarks.
#pragma once

#include "platform/runtime.h"

#include <QWidget>

#include <memory>

namespace platform::qt {

// A window made from a form's description: every control at its place, in tab
// order, each button's click bound to its handler, the focus in the first
// control that takes it.
std::unique_ptr<QWidget> CreateForm(const FormDescription& description);

// Run short of the event loop: sets the running QApplication up for `program`
// (its name, Qt's own texts in Chinese, the window's icon and desktop entry),
// then creates and shows its start-up form.
std::unique_ptr<QWidget> Start(const ProgramDescription& program);

} // namespace platform::qt
