#include "platform/layout.h"

#include <algorithm>

namespace platform {

FormLayout::FormLayout(const FormDescription& form, int dpi)
    : form_(&form)
    , client_{0, 0, Pixels(form.width, dpi), Pixels(form.height, dpi)}
{
    // Each edge is rounded on its own, so that controls that meet in twips
    // meet in pixels too.
    for (const ControlDescription& c : form.controls) {
        const int left = Pixels(c.left, dpi), top = Pixels(c.top, dpi);
        places_.push_back({left, top, Pixels(c.left + c.width, dpi) - left, Pixels(c.top + c.height, dpi) - top});
    }
}

Rect FormLayout::Fit(std::size_t index, int textWidth) const
{
    Rect place = places_[index];
    if (form_->controls[index].kind == ControlKind::Label)
        place.width = std::clamp(textWidth, place.width, std::max(place.width, client_.width - place.left));
    return place;
}

std::optional<std::size_t> FormLayout::Buddy(std::size_t index) const
{
    const char* buddy = form_->controls[index].buddy;
    if (!buddy)
        return std::nullopt;
    const std::size_t box = IndexOf(buddy);
    return box < places_.size() ? std::optional(box) : std::nullopt;
}

std::size_t FormLayout::FirstFocus() const
{
    std::size_t index = 0;
    while (index < places_.size() && form_->controls[index].kind == ControlKind::Label)
        ++index;
    return index;
}

std::size_t FormLayout::IndexOf(std::string_view name) const
{
    std::size_t index = 0;
    while (index < places_.size() && form_->controls[index].name != name)
        ++index;
    return index;
}

} // namespace platform
