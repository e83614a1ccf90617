// A form's geometry, worked out from its description once for every
// realization: each control's rectangle in pixels at a scale, a label widened
// to its text, the buddies, the first control to take the focus, and the
// face the texts are drawn in.
#pragma once

#include "platform/runtime.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace platform {

// The captions' own face, which every realization carries (ui/fonts), then
// the faces that stand in for it for a text it lacks, Simplified Chinese
// first whatever the system's language.
inline constexpr const char* kFaces[] = {"Discharge Captions", "WenQuanYi Micro Hei", "Noto Sans CJK SC",
                                         "Source Han Sans SC", "PingFang SC", "Microsoft YaHei", "SimSun"};
// The texts' size: pixels at 96 dpi.
inline constexpr int kTextPixels = 12;

struct Rect {
    int left, top, width, height;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// `twips` (1/1440 inch) in pixels at `dpi` dots per inch, to the nearest:
// 15 twips a pixel at 96 dpi, which is also the browser's CSS pixel.
constexpr int Pixels(int twips, int dpi) { return (twips * dpi + 720) / 1440; }

class FormLayout {
public:
    // The form laid out at `dpi`; `form` must outlive the layout.
    FormLayout(const FormDescription& form, int dpi);

    // The client area: its size; left and top are 0.
    Rect Client() const { return client_; }
    // The control at `index` (in tab order) at its described place and size.
    Rect Place(std::size_t index) const { return places_[index]; }
    // The place of the control at `index` when its text is `textWidth`
    // pixels wide: a label keeps its described place while the text fits and
    // widens to the right as the text needs, up to the client area's right
    // edge; any other control keeps its place.
    Rect Fit(std::size_t index, int textWidth) const;
    // The box that the caption at `index` names, for screen readers.
    std::optional<std::size_t> Buddy(std::size_t index) const;
    // The control that has the focus when the form is first shown: the first
    // in tab order that takes the focus, as boxes and buttons do and labels
    // never do.
    std::size_t FirstFocus() const;
    // The control named `name`; the number of controls when none is.
    std::size_t IndexOf(std::string_view name) const;

private:
    const FormDescription* form_;
    Rect client_;
    std::vector<Rect> places_;
};

} // namespace platform
