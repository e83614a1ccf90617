#include "platform/abstract_form.h"

namespace platform {

std::string AbstractForm::Text(std::string_view box) const
{
    const std::size_t index = layout_.IndexOf(box);
    return index < description_.controls.size() ? BoxText(index) : std::string();
}

void AbstractForm::SetCaption(std::string_view label, std::string_view text)
{
    const std::size_t index = layout_.IndexOf(label);
    if (index < description_.controls.size())
        ShowCaption(index, text, layout_.Fit(index, TextWidth(index, text)));
}

void AbstractForm::Click(std::size_t index)
{
    if (index < description_.controls.size() && description_.controls[index].click)
        description_.controls[index].click(*this);
}

const char* ErrorText(RuntimeError error)
{
    // In the order of RuntimeError.
    static constexpr const char* texts[] = {"溢出：计算结果超出数值范围。"};
    return texts[static_cast<int>(error)];
}

void ReportRuntimeError(Form& form, RuntimeError error)
{
    if (auto* shown = dynamic_cast<AbstractForm*>(&form))
        shown->ShowWarning(shown->Caption(), ErrorText(error));
}

} // namespace platform
