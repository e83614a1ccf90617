#include "platform/web/markup.h"

#include "platform/abstract_form.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace platform::web {
namespace {

std::string Escaped(std::string_view text)
{
    std::string out;
    for (const char c : text)
        out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : c == '"' ? "&quot;" : std::string(1, c);
    return out;
}

// A caption that names a box is its <label>; the selectable label, the
// result, an <output>, which screen readers announce when it changes.
std::string Element(const ControlDescription& control, const char* buddy, bool focused)
{
    const std::string id = Escaped(control.name), text = Escaped(control.text);
    switch (control.kind) {
    case ControlKind::TextBox:
        return "<input id=\"" + id + "\" type=\"text\" inputmode=\"decimal\" autocomplete=\"off\" spellcheck=\"false\""
               + " value=\"" + text + '"' + (focused ? " autofocus>" : ">");
    case ControlKind::Button:
        return "<button id=\"" + id + "\" type=\"button\"" + (focused ? " autofocus>" : ">") + text + "</button>";
    case ControlKind::Label:
        if (control.selectable)
            return "<output id=\"" + id + "\">" + text + "</output>";
        if (buddy)
            return "<label id=\"" + id + "\" for=\"" + Escaped(buddy) + "\">" + text + "</label>";
        return "<div id=\"" + id + "\">" + text + "</div>";
    }
    return {};
}

// The order down one column, the order in which a person fills the form in:
// each box under its caption, the boxes in tab order; then the rest in tab
// order, which ends with the button beside its result.
std::vector<int> ColumnOrder(std::span<const ControlDescription> controls, const FormLayout& layout)
{
    std::vector<int> column(controls.size());
    int next = 1;
    for (std::size_t box = 0; box < controls.size(); ++box) {
        if (controls[box].kind != ControlKind::TextBox)
            continue;
        for (std::size_t caption = 0; caption < controls.size(); ++caption)
            if (layout.Buddy(caption) == box)
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
    const FormLayout layout(form, 96);
    const auto px = [](const char* name, int value) { return std::string(name) + ':' + std::to_string(value); };
    FormMarkup out;
    out.html = "<section class=\"form\" aria-labelledby=\"form-caption\">\n<h1 id=\"form-caption\">"
               + Escaped(form.caption) + "</h1>\n<div class=\"client\">\n";
    // The captions' face, whose file the page carries (make-page puts it in
    // for @FONT@), the faces that stand in for it, and the texts' size.
    std::string faces;
    for (const char* face : kFaces)
        faces += '"' + std::string(face) + "\",";
    out.style = "@font-face{font-family:\"" + std::string(kFaces[0])
                + "\";src:url(data:font/woff2;base64,@FONT@) format(\"woff2\")}\n:root{font-family:" + faces
                + "sans-serif;" + px("font-size", kTextPixels) + "px}\n.form{" + px("--client-width", layout.Client().width)
                + ';' + px("--client-height", layout.Client().height) + "}\n";
    const std::vector<int> column = ColumnOrder(form.controls, layout);
    for (std::size_t i = 0; i < form.controls.size(); ++i) {
        const ControlDescription& control = form.controls[i];
        const auto buddy = layout.Buddy(i);
        out.html += Element(control, buddy ? form.controls[*buddy].name : nullptr, i == layout.FirstFocus()) + '\n';
        const Rect place = layout.Place(i);
        out.style += '#' + std::string(control.name) + '{' + px("--left", place.left) + ';' + px("--top", place.top) + ';'
                     + px("--width", place.width) + ';' + px("--height", place.height) + ';' + px("--column", column[i])
                     + "}\n";
    }
    out.html += "</div>\n</section>\n";
    // The form's warning box, over the page; the script fills it in.
    out.html += "<dialog id=\"warning\" role=\"alertdialog\" aria-labelledby=\"warning-title\" "
                "aria-describedby=\"warning-text\">\n<h2 id=\"warning-title\"></h2>\n<p id=\"warning-text\"></p>\n"
                "<button type=\"button\" autofocus>"
                + Escaped(kWarningButton) + "</button>\n</dialog>";
    return out;
}

} // namespace platform::web
