// The part of a form that every realization shares. It answers the services
// that handlers call (runtime.h) from the form's layout, and leaves to the
// realization only what its toolkit must do: the primitives below, each on a
// control by its index in tab order. A realization creates the controls
// itself, each at its FormLayout::Place, with its buddy, and gives the focus
// to FormLayout::FirstFocus.
#pragma once

#include "platform/layout.h"
#include "platform/runtime.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// The caption of the warning box's one button, whatever the system's language.
inline constexpr char kWarningButton[] = "确定";

class AbstractForm : public Form {
public:
    // A form laid out at `dpi` (96: CSS pixels, and Qt's logical pixels).
    explicit AbstractForm(const FormDescription& description, int dpi = 96)
        : description_(description)
        , layout_(description, dpi)
    {
    }

    std::string Caption() const final { return description_.caption; }
    std::string Text(std::string_view box) const final;
    void SetCaption(std::string_view label, std::string_view text) final;

    // Runs the handler of the control at `index`, if it is a button that has
    // one: what a realization calls when a button is activated.
    void Click(std::size_t index);

    // A modal warning box owned by the form, titled `title`, saying `text`,
    // with one button kWarningButton. ReportRuntimeError shows it.
    virtual void ShowWarning(const std::string& title, const std::string& text) = 0;

    const FormDescription& description() const { return description_; }
    const FormLayout& formLayout() const { return layout_; }

protected:
    ~AbstractForm() = default;
    // Lays the form out anew at another `dpi`.
    void Rescale(int dpi) { layout_ = FormLayout(description_, dpi); }

    // The text of the box at `index`.
    virtual std::string BoxText(std::size_t index) const = 0;
    // The width in pixels that the label at `index` needs to show `text` on
    // one line, in its face.
    virtual int TextWidth(std::size_t index, std::string_view text) const = 0;
    // Shows `text` in the label at `index`, now at `place`, and repaints it.
    virtual void ShowCaption(std::size_t index, std::string_view text, const Rect& place) = 0;

private:
    const FormDescription& description_;
    FormLayout layout_;
};

} // namespace platform
