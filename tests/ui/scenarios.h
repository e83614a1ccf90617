// What a user does to the window and sees, as one table that each back end's
// driver plays on its real window: tests/platform/ for Qt and Win32, and
// tests/web/ for the page, which reads the table as JSON (scenarios_json).
// A driver starts each scenario on a new Form1.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scenarios {

struct Driver;
struct Step;

// What a user does or sees: the name the page's driver knows it by (JSON),
// and how a driver plays it: what differed from the step, or "".
struct Verb {
    const char* name;
    std::string (*play)(Driver& driver, const Step& step);
};

struct Step {
    const Verb* verb;
    std::string control = "", text = "";
};

// What a back end's driver does to its real window and reads back from it.
struct Driver {
    std::string warnings;  // every warning answered so far, "title|text|button" each, one a line
    std::string unchecked; // what the driver could not check, and why

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
    // The control's name for screen readers; none from a driver that cannot
    // read names, which says why in `unchecked`.
    virtual std::optional<std::string> Name(const std::string& control) = 0;
    virtual bool HasFocus(const std::string& control) = 0;
    virtual std::string Face(const std::string& control) = 0;
    // "left,top,width,height" in pixels from the client area's corner; the
    // client area itself for "".
    virtual std::string Place(const std::string& control) = 0;

    // A driver calls this for each warning it answers.
    void Warn(const std::string& title, const std::string& text, const std::string& button)
    {
        warnings += (warnings.empty() ? "" : "\n") + title + '|' + text + '|' + button;
    }
    // Plays one step; what differed from the table, or nothing.
    std::string Play(const Step& step) { return step.verb->play(*this, step); }

protected:
    ~Driver() = default;
};

inline std::string Expect(const Step& step, const std::string& got)
{
    return got == step.text ? "" : step.control + ": \"" + got + "\", not \"" + step.text + '"';
}

// Each verb with its name and how it is played, in one table.
#define VERB(name, ...) \
    inline constexpr Verb k##name{#name, [](Driver& driver, [[maybe_unused]] const Step& step) -> std::string { __VA_ARGS__ }}
VERB(Type, driver.Type(step.control, step.text); return "";);
VERB(Commit, driver.Commit(step.control, step.text); return "";);
VERB(Paste, driver.Paste(step.control, step.text); return "";);
VERB(Click, driver.Click(); return "";);
VERB(Focus, driver.Focus(step.control); return "";);
VERB(Press, driver.Press(step.text); return "";);
VERB(Shows, return driver.ShownWhole(step.control) ? Expect(step, driver.Text(step.control))
                                                   : step.control + " does not show its whole text";);
VERB(Holds, return Expect(step, std::to_string(driver.Text(step.control).size())););
VERB(Selects, return Expect(step, driver.Selected(step.control)););
VERB(HasFocus, return driver.HasFocus(step.control) ? "" : step.control + " has no focus";);
VERB(Warned, return Expect(step, driver.warnings););
VERB(Named, const std::optional<std::string> name = driver.Name(step.control); return name ? Expect(step, *name) : "";);
VERB(Face, return Expect(step, driver.Face(step.control)););
VERB(Placed, return Expect(step, driver.Place(step.control)););
#undef VERB

// Replace a box's text as a user does: select all, delete, type.
inline Step Type(const char* box, const char* text) { return {&kType, box, text}; }
// An input method commits text into a box.
inline Step Commit(const char* box, const char* text) { return {&kCommit, box, text}; }
// Paste a megabyte of blanks and then the text into a box: only a box that
// keeps all it is given shows the number.
inline constexpr std::size_t kMegabyte = 1 << 20;
inline Step Paste(const char* box, const char* text) { return {&kPaste, box, std::string(kMegabyte, ' ') + text}; }
// Click Command1 with the mouse.
inline Step Click() { return {&kClick}; }
inline Step Focus(const char* control) { return {&kFocus, control}; }
// A key on the focused control: "Tab", "Shift+Tab", "Return" or "Space".
inline Step Press(const char* key) { return {&kPress, "", key}; }
// The control's text, shown whole: never cut short, never scrolled away.
inline Step Shows(const char* control, const char* text) { return {&kShows, control, text}; }
// The box holds this many bytes of text (UTF-8).
inline Step Holds(const char* box, std::size_t bytes) { return {&kHolds, box, std::to_string(bytes)}; }
// Double-clicking the control selects this text, to be copied.
inline Step Selects(const char* control, const char* text) { return {&kSelects, control, text}; }
inline Step HasFocus(const char* control) { return {&kHasFocus, control}; }
// Every warning shown so far; a driver answers each with its button.
inline Step Warned(const char* warnings) { return {&kWarned, "", warnings}; }

// The form as it is meant to be, written out here rather than read from
// Form1, which the window is made from: each control's place and size in
// pixels, "left,top,width,height" from the client area's corner (Form1's
// twips, 15 a pixel), its text, and the box a caption names.
struct Described {
    const char* name;
    const char* place;
    const char* text;
    const char* names = nullptr;
};
inline constexpr Described kForm1[] = {
    {"Text1", "160,32,89,33", "200"},
    {"Text2", "160,72,81,33", "100"},
    {"Text3", "160,128,81,33", "365"},
    {"Label1", "16,40,129,33", "城镇人均用水量/天", "Text1"},
    {"Label2", "16,88,121,33", "农村人均用水量/天", "Text2"},
    {"Label3", "24,136,81,33", "全年天数", "Text3"},
    {"Label4", "16,176,105,41", "城市耗水率", "Text4"},
    {"Label5", "16,208,81,33", "农村耗水率", "Text5"},
    {"Text4", "160,176,81,33", "0.25"},
    {"Text5", "160,224,81,33", "0.8"},
    {"Label6", "328,216,145,121", "计算公式"},
    {"Command1", "32,296,81,33", "计算"},
    {"Label8", "264,32,81,33", "城镇人口", "Text6"},
    {"Text6", "336,32,81,33", ""},
    {"Label9", "256,80,81,33", "农村人口", "Text7"},
    {"Text7", "336,72,81,33", ""},
    {"Label7", "152,288,105,41", ""},
};

// The form as described, then `then`: the client area (7590 x 5280 twips)
// and every control at its place, each showing its text, each caption and the
// button in the program's own face, each caption naming its box.
inline std::vector<Step> AsDescribed(std::vector<Step> then)
{
    std::vector<Step> steps{{&kPlaced, "", "0,0,506,352"}};
    for (const Described& c : kForm1) {
        steps.push_back({&kPlaced, c.name, c.place});
        steps.push_back(Shows(c.name, c.text));
        if (!std::string_view(c.name).starts_with("Text"))
            steps.push_back({&kFace, c.name, "Discharge Captions"});
        if (c.names)
            steps.push_back({&kNamed, c.names, c.text});
    }
    steps.insert(steps.end(), then.begin(), then.end());
    return steps;
}

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
    {"start state", AsDescribed({HasFocus("Text1")})},
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

} // namespace scenarios
