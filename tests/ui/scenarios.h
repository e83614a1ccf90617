// What a user does to the window and sees, as one table that each back end's
// driver plays on its real window: tests/platform/ for Qt and Win32, and
// tests/web/ for the page, which reads the table as JSON (scenarios_json).
// A driver starts each scenario on a new Form1.
#pragma once

#include "ui/Form1.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace scenarios {

enum class Do { Type, Commit, Paste, Click, Focus, Press, Shows, Holds, Selects, HasFocus, Warned, Named, Face, Placed, AsDescribed };
inline constexpr const char* kVerbs[] = {"Type", "Commit", "Paste", "Click", "Focus", "Press", "Shows", "Holds", "Selects",
                                         "HasFocus", "Warned", "Named", "Face", "Placed", "AsDescribed"};

struct Step {
    Do what;
    std::string control = "", text = "";
};

// Replace a box's text as a user does: select all, delete, type.
inline Step Type(const char* box, const char* text) { return {Do::Type, box, text}; }
// An input method commits text into a box.
inline Step Commit(const char* box, const char* text) { return {Do::Commit, box, text}; }
// Paste a megabyte of blanks and then the text into a box: only a box that
// keeps all it is given shows the number.
inline constexpr std::size_t kMegabyte = 1 << 20;
inline Step Paste(const char* box, const char* text) { return {Do::Paste, box, std::string(kMegabyte, ' ') + text}; }
// Click Command1 with the mouse.
inline Step Click() { return {Do::Click}; }
inline Step Focus(const char* control) { return {Do::Focus, control}; }
// A key on the focused control: "Tab", "Shift+Tab", "Return" or "Space".
inline Step Press(const char* key) { return {Do::Press, "", key}; }
// The control's text, shown whole: never cut short, never scrolled away.
inline Step Shows(const char* control, const char* text) { return {Do::Shows, control, text}; }
// The box holds this many bytes of text (UTF-8).
inline Step Holds(const char* box, std::size_t bytes) { return {Do::Holds, box, std::to_string(bytes)}; }
// Double-clicking the control selects this text, to be copied.
inline Step Selects(const char* control, const char* text) { return {Do::Selects, control, text}; }
inline Step HasFocus(const char* control) { return {Do::HasFocus, control}; }
// Every warning shown so far, "title|text|button" each, one a line; a driver
// answers each warning with its button.
inline Step Warned(const char* warnings) { return {Do::Warned, "", warnings}; }
// The form as its description has it: the client area and every control at
// its place (15 twips a pixel), each showing its text, each caption in the
// program's own face and naming its box for screen readers.
inline Step AsDescribed() { return {Do::AsDescribed}; }

inline constexpr char kOverflowWarning[] = "Form1|溢出：计算结果超出数值范围。|确定";

// Where a browser engine limits a control itself, the steps that scenario
// plays there instead, and why: only the page's driver plays them.
struct EngineLimit {
    const char* engine; // "chromium", "firefox" or "webkit"
    const char* why;
    std::vector<Step> steps;
};

struct Scenario {
    const char* name;
    std::vector<Step> steps;
    std::vector<EngineLimit> limits = {};
};

// WebKit keeps at most this many characters in a text field, whatever the
// page asks for: a paste ends there.
inline constexpr std::size_t kWebKitFieldLimit = 524288;

inline const std::vector<Scenario> kAll = {
    {"start state", {AsDescribed(), HasFocus("Text1")}},
    {"tab visits the button before the populations, and cycles",
     {Press("Tab"), HasFocus("Text2"), Press("Tab"), Press("Tab"), HasFocus("Text4"),
      Press("Tab"), Press("Tab"), HasFocus("Command1"), Press("Tab"), HasFocus("Text6"),
      Press("Tab"), HasFocus("Text7"), Press("Tab"), HasFocus("Text1"), Press("Shift+Tab"),
      HasFocus("Text7")}},
    {"empty populations show 0", {Click(), Shows("Label7", "0")}},
    {"10000 urban and 5000 rural, the result selectable",
     {Type("Text6", "10000"), Type("Text7", "5000"), Click(), Shows("Label7", "584000"),
      Selects("Label7", "584000")}},
    {"one urban resident", {Type("Text6", "1"), Click(), Shows("Label7", "54.75")}},
    {"one rural resident shows 15 digits",
     {Type("Text6", "0"), Type("Text7", "1"), Click(), Shows("Label7", "7.3")}},
    {"full-width digits from an input method",
     {Commit("Text6", "１００００"), Commit("Text7", "５０００"), Click(), Shows("Label7", "584000")}},
    {"space on the button computes",
     {Type("Text6", "1"), Focus("Command1"), Press("Space"), Shows("Label7", "54.75")}},
    {"enter on the button computes",
     {Type("Text6", "1"), Focus("Command1"), Press("Return"), Shows("Label7", "54.75")}},
    {"enter in a box does nothing",
     {Type("Text6", "1"), Press("Return"), Shows("Label7", ""), Warned(""), HasFocus("Text6")}},
    {"two clicks in a row, and edits, keep the result until the next click",
     {Type("Text6", "10000"), Type("Text7", "5000"), Click(), Click(), Shows("Label7", "584000"),
      Type("Text6", "1"), Type("Text7", ""), Shows("Label7", "584000"), Click(),
      Shows("Label7", "54.75")}},
    {"overflow in a box is warned of and loses nothing",
     {Type("Text6", "1"), Click(), Type("Text7", "-1e309"), Focus("Command1"), Press("Space"),
      Warned(kOverflowWarning), HasFocus("Command1"), Shows("Label7", "54.75"),
      Shows("Text7", "-1e309"), Shows("Text6", "1"), Type("Text7", "0"), Click(),
      Shows("Label7", "54.75"), Warned(kOverflowWarning)}},
    {"overflow in the formula is warned of and loses nothing",
     {Type("Text1", "1e300"), Type("Text6", "1e300"), Click(), Warned(kOverflowWarning),
      Shows("Label7", ""), Shows("Text1", "1e300"), Shows("Text6", "1e300")}},
    {"a box keeps a pasted megabyte whole",
     {Paste("Text6", "10000"), Holds("Text6", kMegabyte + 5), Click(), Shows("Label7", "547500")},
     {{"webkit", "WebKit keeps 524,288 characters of a text field, here blanks only",
       {Paste("Text6", "10000"), Holds("Text6", kWebKitFieldLimit), Click(), Shows("Label7", "0")}}}},
    {"the longest result is shown whole",
     {Type("Text1", "-1.23456789012346e300"), Type("Text3", "1"), Type("Text4", "0"),
      Type("Text6", "1"), Click(), Shows("Label7", "-1.23456789012346E+297"),
      Type("Text6", "0"), Click(), Shows("Label7", "0")}},
};

// The steps a driver plays: AsDescribed spelled out, from Form1's description,
// into Placed ("left,top,width,height" in pixels; "" the client area),
// Shows, Face and Named steps.
inline std::vector<Step> Expand(const std::vector<Step>& steps)
{
    const auto pixels = [](int left, int top, int width, int height) {
        return std::to_string(left / 15) + ',' + std::to_string(top / 15) + ',' + std::to_string(width / 15) + ','
               + std::to_string(height / 15);
    };
    std::vector<Step> out;
    for (const Step& step : steps) {
        if (step.what != Do::AsDescribed) {
            out.push_back(step);
            continue;
        }
        out.push_back({Do::Placed, "", pixels(0, 0, Form1.width, Form1.height)});
        for (const platform::ControlDescription& c : Form1.controls) {
            out.push_back({Do::Placed, c.name, pixels(c.left, c.top, c.width, c.height)});
            out.push_back({Do::Shows, c.name, c.text});
            if (c.kind != platform::ControlKind::TextBox)
                out.push_back({Do::Face, c.name, "Discharge Captions"});
            if (c.names)
                out.push_back({Do::Named, c.names, c.text});
        }
    }
    return out;
}

// What a back end's driver does to its real window and reads back from it.
struct Driver {
    std::string warnings; // as Warned has them

    virtual void Type(const std::string& box, const std::string& text) = 0;
    virtual void Commit(const std::string& box, const std::string& text) = 0;
    virtual void Paste(const std::string& box, const std::string& text) = 0;
    virtual void Click() = 0;
    virtual void Focus(const std::string& control) = 0;
    virtual void Press(const std::string& key) = 0;
    virtual std::string Text(const std::string& control) = 0;
    // A label's text fits it, and it the form; a box's text, where it fits,
    // shows from its first character.
    virtual bool ShownWhole(const std::string& control) = 0;
    // Double-clicks the control; the text then selected.
    virtual std::string Selected(const std::string& control) = 0;
    virtual std::optional<std::string> Name(const std::string& control) = 0; // none where it cannot be read
    virtual bool HasFocus(const std::string& control) = 0;
    virtual std::string Face(const std::string& control) = 0;
    virtual std::string Place(const std::string& control) = 0; // as Placed has it

    // A driver calls this for each warning it answers.
    void Warn(const std::string& title, const std::string& text, const std::string& button)
    {
        warnings += (warnings.empty() ? "" : "\n") + title + '|' + text + '|' + button;
    }

    // Plays one step; what differed from the table, or nothing.
    std::string Play(const Step& step)
    {
        const auto expect = [&](const std::string& got) {
            return got == step.text ? "" : step.control + ": \"" + got + "\", not \"" + step.text + '"';
        };
        switch (step.what) {
        case Do::Type: Type(step.control, step.text); break;
        case Do::Commit: Commit(step.control, step.text); break;
        case Do::Paste: Paste(step.control, step.text); break;
        case Do::Click: Click(); break;
        case Do::Focus: Focus(step.control); break;
        case Do::Press: Press(step.text); break;
        case Do::Shows:
            if (!ShownWhole(step.control))
                return step.control + " does not show its whole text";
            return expect(Text(step.control));
        case Do::Holds: return expect(std::to_string(Text(step.control).size()));
        case Do::Selects: return expect(Selected(step.control));
        case Do::HasFocus: return HasFocus(step.control) ? "" : step.control + " has no focus";
        case Do::Warned: return expect(warnings);
        case Do::Named: return expect(Name(step.control).value_or(step.text));
        case Do::Face: return expect(Face(step.control));
        case Do::Placed: return expect(Place(step.control));
        case Do::AsDescribed: return "AsDescribed is played through Expand";
        }
        return {};
    }

protected:
    ~Driver() = default;
};

} // namespace scenarios
