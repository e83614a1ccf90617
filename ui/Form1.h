// The program's one window, as a description that the runtime turns into a
// window: seven input boxes with their captions, the calculate button and the
// result label, at fixed places; and the button's handler.
#pragma once

#include "platform/runtime.h"

// Reads Text1 .. Text7, computes the yearly total and shows it divided by
// 1000 in Label7. A value beyond the double range, in a box or on the way, is
// reported instead, and every text stays as it was.
void Command1_Click(platform::Form& form);

namespace form1 {

using enum platform::ControlKind;

// Every control of the form, in tab order. Each caption names the box beside
// it; Label7 shows the result and can be selected and copied.
inline constexpr platform::ControlDescription kControls[] = {
    {"Text1",    TextBox, 2400,  480, 1335,  495, "200"},
    {"Text2",    TextBox, 2400, 1080, 1215,  495, "100"},
    {"Text3",    TextBox, 2400, 1920, 1215,  495, "365"},
    {"Label1",   Label,    240,  600, 1935,  495, "城镇人均用水量/天", "Text1"},
    {"Label2",   Label,    240, 1320, 1815,  495, "农村人均用水量/天", "Text2"},
    {"Label3",   Label,    360, 2040, 1215,  495, "全年天数",          "Text3"},
    {"Label4",   Label,    240, 2640, 1575,  615, "城市耗水率",        "Text4"},
    {"Label5",   Label,    240, 3120, 1215,  495, "农村耗水率",        "Text5"},
    {"Text4",    TextBox, 2400, 2640, 1215,  495, "0.25"},
    {"Text5",    TextBox, 2400, 3360, 1215,  495, "0.8"},
    {"Label6",   Label,   4920, 3240, 2175, 1815, "计算公式"},
    {.name = "Command1", .kind = Button, .left = 480, .top = 4440, .width = 1215, .height = 495,
     .text = "计算", .click = Command1_Click},
    {"Label8",   Label,   3960,  480, 1215,  495, "城镇人口",          "Text6"},
    {"Text6",    TextBox, 5040,  480, 1215,  495, ""},
    {"Label9",   Label,   3840, 1200, 1215,  495, "农村人口",          "Text7"},
    {"Text7",    TextBox, 5040, 1080, 1215,  495, ""},
    {.name = "Label7", .kind = Label, .left = 2280, .top = 4320, .width = 1575, .height = 615,
     .text = "", .selectable = true},
};

} // namespace form1

// Client area 7590 x 5280 twips: 506 x 352 pixels at 96 dpi.
inline constexpr platform::FormDescription Form1{"Form1", 7590, 5280, form1::kControls};
