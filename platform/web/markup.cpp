#include "platform/web/markup.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace platform::web {
namespace {

std::string Escaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string_view View(const char* text) { return text ? text : ""; }

// A caption that names a box is its <label>; the selectable label, the
// result, an <output>, which screen readers announce when it changes.
std::string Element(const ControlDescription& control, bool focused)
{
    const std::string id = Escaped(control.name), text = Escaped(View(control.text));
    switch (control.kind) {
    case ControlKind::TextBox:
        return "<input id=\"" + id + "\" type=\"text\" inputmode=\"decimal\" autocomplete=\"off\" spellcheck=\"false\""
               + " value=\"" + text + '"' + (focused ? " autofocus>" : ">");
    case ControlKind::Button:
        return "<button id=\"" + id + "\" type=\"button\"" + (focused ? " autofocus>" : ">") + text + "</button>";
    case ControlKind::Label:
        if (control.selectable)
            return "<output id=\"" + id + "\">" + text + "</output>";
        if (control.names)
            return "<label id=\"" + id + "\" for=\"" + Escaped(control.names) + "\">" + text + "</label>";
        return "<div id=\"" + id + "\">" + text + "</div>";
    }
    return {};
}

// The order down one column, the order in which a person fills the form in:
// each box under its caption, the boxes in tab order; then the rest in tab
// order, which ends with the button beside its result.
std::vector<int> ColumnOrder(std::span<const ControlDescription> controls)
{
    std::vector<int> column(controls.size());
    int next = 1;
    for (std::size_t box = 0; box < controls.size(); ++box) {
        if (controls[box].kind != ControlKind::TextBox)
            continue;
        for (std::size_t caption = 0; caption < controls.size(); ++caption)
            if (controls[caption].names && View(controls[caption].names) == controls[box].name)
                column[caption] = next++;
        column[box] = next++;
    }
    for (int& place : column)
        if (place == 0)
            place = next++;
    return column;
}

} // namespace

FormMarkup MarkupOf(const FormDescription& form)
{
    FormMarkup out;
    out.html = "<section class=\"form\" aria-labelledby=\"form-caption\">\n<h1 id=\"form-caption\">"
               + Escaped(form.caption) + "</h1>\n<div class=\"client\">\n";
    out.style = ".form{--client-width:" + std::to_string(form.width) + ";--client-height:"
                + std::to_string(form.height) + "}\n";
    const std::vector<int> column = ColumnOrder(form.controls);
    bool focused = false;
    for (std::size_t i = 0; i < form.controls.size(); ++i) {
        const ControlDescription& control = form.controls[i];
        const bool first = !focused && control.kind != ControlKind::Label;
        focused = focused || first;
        out.html += Element(control, first) + '\n';
        out.style += '#' + std::string(control.name) + "{--left:" + std::to_string(control.left) + ";--top:"
                     + std::to_string(control.top) + ";--width:" + std::to_string(control.width) + ";--height:"
                     + std::to_string(control.height) + ";--column:" + std::to_string(column[i]) + "}\n";
    }
    out.html += "</div>\n</section>";
    return out;
}

} // namespace platform::web
