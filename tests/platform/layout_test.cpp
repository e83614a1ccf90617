// The form's geometry as every realization takes it: edges at a scale, a
// label fitted to its text within the form, buddies, the first focus, names.
#include "platform/layout.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using enum platform::ControlKind;
using platform::Rect;

// A caption before its box, a button, and a label 2280 twips from the left
// of a form 7590 wide.
constexpr platform::ControlDescription kControls[] = {
    {"Caption", Label, 240, 600, 1935, 495, "c", "Box"},
    {"Box", TextBox, 2400, 480, 1335, 495, ""},
    {"Button", Button, 480, 4440, 1215, 495, "b"},
    {"Result", Label, 2280, 4320, 1575, 615, ""},
};
constexpr platform::FormDescription kForm{"Form", 7590, 5280, kControls};

TEST(FormLayout, RoundsEachEdgeAtTheScale)
{
    for (const auto& [dpi, client, box] : {std::tuple{96, Rect{0, 0, 506, 352}, Rect{160, 32, 89, 33}},
                                          {144, {0, 0, 759, 528}, {240, 48, 134, 50}},
                                          {192, {0, 0, 1012, 704}, {320, 64, 178, 66}}}) {
        const platform::FormLayout layout(kForm, dpi);
        EXPECT_EQ(layout.Client(), client) << dpi;
        EXPECT_EQ(layout.Place(1), box) << dpi;
    }
}

TEST(FormLayout, FitsALabelToItsTextWithinTheForm)
{
    const platform::FormLayout at96(kForm, 96), at144(kForm, 144);
    for (const auto& [layout, index, textWidth, width] :
         {std::tuple{&at96, 3, 50, 105}, {&at96, 3, 200, 200}, {&at96, 3, 1000, 354}, {&at144, 3, 1000, 531},
          {&at96, 1, 1000, 89}, {&at96, 2, 1000, 81}}) {
        const Rect place = layout->Place(index), fitted = layout->Fit(index, textWidth);
        EXPECT_EQ(fitted, (Rect{place.left, place.top, width, place.height})) << index << " at " << textWidth;
    }
}

TEST(FormLayout, KnowsBuddiesFocusAndNames)
{
    const platform::FormLayout layout(kForm, 96);
    EXPECT_EQ(layout.Buddy(1), std::nullopt);
    EXPECT_EQ(layout.FirstFocus(), 1u);
    EXPECT_EQ(layout.IndexOf("Butto"), 4u);
}

} // namespace
