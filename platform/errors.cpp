#include "platform/backend.h"
#include "platform/runtime.h"

#include <utility>

namespace platform {
namespace {

ErrorReporter& Reporter()
{
    static ErrorReporter reporter = ShowWarningBox;
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
