// What a user does to the window and sees, as one table that each back end's
// driver plays on its real window (tests/platform/). A driver starts each
// scenario on a new Form1 with error reports recorded, not shown.
#pragma once

#include "ui/Form1.h"

#include <optional>
#include <string>
#include <vector>

namespace scenarios {

enum class Do { Type, Commit, Paste, Click, Focus, Press, Grow, Shows, Named, HasFocus, Reported, Sized, Placed, Face };

struct Step {
    Do what;
    const char* control = "";
    const char* text = "";
};

// Replace a box's text as a user does: select all, delete, type.
constexpr Step Type(const char* box, const char* text) { return {Do::Type, box, text}; }
// An input method commits text into a box.
constexpr Step Commit(const char* box, const char* text) { return {Do::Commit, box, text}; }
// Paste a megabyte of blanks and then the text into a box: only a box that
// keeps all it is given shows the number.
constexpr Step Paste(const char* box, const char* text) { return {Do::Paste, box, text}; }
// Click Command1 with the mouse.
constexpr Step Click() { return {Do::Click}; }
constexpr Step Focus(const char* control) { return {Do::Focus, control}; }
// The user makes the window larger: 800 x 600 pixels.
constexpr Step Grow() { return {Do::Grow}; }
// A key on the focused control: "Tab", "Shift+Tab", "Return" or "Space".
constexpr Step Press(const char* key) { return {Do::Press, "", key}; }
// The control's text, shown whole: never cut short, never scrolled away.
constexpr Step Shows(const char* control, const char* text) { return {Do::Shows, control, text}; }
// What a screen reader calls the control.
constexpr Step Named(const char* control, const char* name) { return {Do::Named, control, name}; }
constexpr Step HasFocus(const char* control) { return {Do::HasFocus, control}; }
// Every error report so far, "title|text" each, one a line.
constexpr Step Reported(const char* reports) { return {Do::Reported, "", reports}; }
// The client area's size, "WxH" in pixels.
constexpr Step Sized(const char* size) { return {Do::Sized, "", size}; }
// Every control where the description puts it, at 15 twips a pixel (96 dpi).
constexpr Step Placed() { return {Do::Placed}; }
// The face a control's text is drawn in.
constexpr Step Face(const char* control, const char* face) { return {Do::Face, control, face}; }

struct Scenario {
    const char* name;
    std::vector<Step> steps;
};

#define OVERFLOW_REPORT "Form1|溢出：计算结果超出数值范围。"

inline const std::vector<Scenario> kAll = {
    {"start state",
     {Sized("506x352"), Placed(), Grow(), Placed(), Face("Label1", "Discharge Captions"), Face("Command1", "Discharge Captions"),
      Face("Label7", "Discharge Captions"), HasFocus("Text1"), Shows("Text1", "200"), Shows("Text2", "100"), Shows("Text3", "365"),
      Shows("Text4", "0.25"), Shows("Text5", "0.8"), Shows("Text6", ""), Shows("Text7", ""),
      Shows("Label7", ""), Shows("Command1", "计算"), Shows("Label6", "计算公式"),
      Named("Text1", "城镇人均用水量/天"), Named("Text2", "农村人均用水量/天"),
      Named("Text3", "全年天数"), Named("Text4", "城市耗水率"), Named("Text5", "农村耗水率"),
      Named("Text6", "城镇人口"), Named("Text7", "农村人口"), Named("Command1", "计算")}},
    {"tab visits the button before the populations, and cycles",
     {Press("Tab"), HasFocus("Text2"), Press("Tab"), Press("Tab"), HasFocus("Text4"),
      Press("Tab"), Press("Tab"), HasFocus("Command1"), Press("Tab"), HasFocus("Text6"),
      Press("Tab"), HasFocus("Text7"), Press("Tab"), HasFocus("Text1"), Press("Shift+Tab"),
      HasFocus("Text7")}},
    {"empty populations show 0", {Click(), Shows("Label7", "0")}},
    {"10000 urban and 5000 rural",
     {Type("Text6", "10000"), Type("Text7", "5000"), Click(), Shows("Label7", "584000")}},
    {"one urban resident", {Type("Text6", "1"), Click(), Shows("Label7", "54.75")}},
    {"one rural resident shows 15 digits",
     {Type("Text6", "0"), Type("Text7", "1"), Click(), Shows("Label7", "7.3")}},
    {"a comma ends the rate",
     {Type("Text4", "0,25"), Type("Text6", "1"), Click(), Shows("Label7", "73")}},
    {"a blank inside a number is skipped",
     {Type("Text6", "1 000"), Click(), Shows("Label7", "54750")}},
    {"full-width digits from an input method",
     {Commit("Text6", "１００００"), Commit("Text7", "５０００"), Click(), Shows("Label7", "584000")}},
    {"space on the button computes",
     {Type("Text6", "1"), Focus("Command1"), Press("Space"), Shows("Label7", "54.75")}},
    {"enter on the button computes",
     {Type("Text6", "1"), Focus("Command1"), Press("Return"), Shows("Label7", "54.75")}},
    {"enter in a box does nothing",
     {Type("Text6", "1"), Press("Return"), Shows("Label7", ""), Reported("")}},
    {"two clicks in a row, and edits, keep the result until the next click",
     {Type("Text6", "10000"), Type("Text7", "5000"), Click(), Click(), Shows("Label7", "584000"),
      Type("Text6", "1"), Type("Text7", ""), Shows("Label7", "584000"), Click(),
      Shows("Label7", "54.75")}},
    {"overflow in a box is reported and loses nothing",
     {Type("Text6", "1"), Click(), Type("Text7", "-1e309"), Click(), Reported(OVERFLOW_REPORT),
      Shows("Label7", "54.75"), Shows("Text7", "-1e309"), Shows("Text6", "1"),
      Type("Text7", "0"), Click(), Shows("Label7", "54.75"), Reported(OVERFLOW_REPORT)}},
    {"overflow in the formula is reported and loses nothing",
     {Type("Text1", "1e300"), Type("Text6", "1e300"), Click(), Reported(OVERFLOW_REPORT),
      Shows("Label7", ""), Shows("Text1", "1e300"), Shows("Text6", "1e300")}},
    {"a box keeps a pasted megabyte whole", {Paste("Text6", "10000"), Click(), Shows("Label7", "547500")}},
    {"the longest result is shown whole",
     {Type("Text1", "-1.23456789012346e300"), Type("Text3", "1"), Type("Text4", "0"),
      Type("Text6", "1"), Click(), Shows("Label7", "-1.23456789012346E+297"),
      Type("Text6", "0"), Click(), Shows("Label7", "0")}},
};

#undef OVERFLOW_REPORT

// What a back end's driver does to its real window and reads back from it.
struct Driver {
    std::string reports; // the error reports so far, recorded instead of shown

    virtual void Type(const char* box, const char* text) = 0;
    virtual void Commit(const char* box, const char* text) = 0;
    virtual void Paste(const char* box, const std::string& text) = 0;
    virtual void Click() = 0;
    virtual void Focus(const char* control) = 0;
    virtual void Press(std::string_view key) = 0;
    virtual void Grow() = 0;
    virtual std::string Text(const char* control) = 0;
    // A label's text fits it, and it the form; a box's text, where it fits,
    // shows from its first character.
    virtual bool ShownWhole(const char* control) = 0;
    virtual std::optional<std::string> Name(const char* control) = 0; // none where it cannot be read
    virtual bool HasFocus(const char* control) = 0;
    virtual std::string Face(const char* control) = 0;
    struct Place { int left, top, width, height; };
    virtual Place PlaceOf(const char* control) = 0; // pixels in the client area; "" the area itself

    void Record(const std::string& title, const std::string& text)
    {
        reports += (reports.empty() ? "" : "\n") + title + '|' + text;
    }

    // Plays one step; what differed from the table, or nothing.
    std::string Play(const Step& step)
    {
        const auto expect = [&](const std::string& got) {
            return got == step.text ? "" : std::string(step.control) + ": \"" + got + "\", not \"" + step.text + '"';
        };
        switch (step.what) {
        case Do::Type: Type(step.control, step.text); break;
        case Do::Commit: Commit(step.control, step.text); break;
        case Do::Paste: Paste(step.control, std::string(1 << 20, ' ') + step.text); break;
        case Do::Grow: Grow(); break;
        case Do::Face: return expect(Face(step.control));
        case Do::Sized: return expect(std::to_string(PlaceOf("").width) + 'x' + std::to_string(PlaceOf("").height));
        case Do::Placed: return CheckPlaces();
        case Do::Click: Click(); break;
        case Do::Focus: Focus(step.control); break;
        case Do::Press: Press(step.text); break;
        case Do::Shows:
            if (!ShownWhole(step.control))
                return std::string(step.control) + " does not show its whole text";
            return expect(Text(step.control));
        case Do::Named: return expect(Name(step.control).value_or(step.text));
        case Do::HasFocus: return HasFocus(step.control) ? "" : std::string(step.control) + " has no focus";
        case Do::Reported: return expect(reports);
        }
        return {};
    }

    // Every control as the form's description has it; what differed, or nothing.
    std::string CheckPlaces()
    {
        std::string wrong;
        for (const platform::ControlDescription& c : Form1.controls) {
            const Place p = PlaceOf(c.name);
            if (p.left != c.left / 15 || p.top != c.top / 15 || p.width != c.width / 15 || p.height != c.height / 15)
                wrong += std::string(c.name) + " ";
        }
        return wrong.empty() ? wrong : "not where described: " + wrong;
    }

protected:
    ~Driver() = default;
};

} // namespace scenarios
