#include "platform/abstract_form.h"
#include "platform/runtime.h"

#include <utility>

namespace platform {
namespace {

ErrorReporter& Reporter()
{
    static ErrorReporter reporter = [](Form& form, const std::string& title, const std::string& text) {
        if (auto* shown = dynamic_cast<AbstractForm*>(&form))
            shown->ShowWarning(title, text);
    };
    return reporter;
}

// The text the user reads for an error.
const char* ErrorText(RuntimeError error)
{
    switch (error) {
    case RuntimeError::Overflow:
        return "溢出：计算结果超出数值范围。";
    }
    return "";
}

} // namespace

void ReportRuntimeError(Form& form, RuntimeError error)
{
    Reporter()(form, form.Caption(), ErrorText(error));
}

ErrorReporter SetErrorReporter(ErrorReporter reporter)
{
    return std::exchange(Reporter(), std::move(reporter));
}

} // namespace platform
