// The form's markup that the web build writes into the page: what it takes
// from a description, which the browser tests cannot vary.
#include "platform/web/markup.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using enum platform::ControlKind;

TEST(WebMarkup, TextsAreEscapedNotMarkup)
{
    const platform::ControlDescription controls[] = {
        {"Label1", Label, 0, 0, 15, 15, "a<b & \"c\">", "Text1"},
        {"Text1", TextBox, 0, 0, 15, 15, "\"><script>"},
    };
    const std::string html = platform::web::MarkupOf({"<i>Form</i>", 30, 30, controls}).html;
    EXPECT_NE(html.find(">&lt;i&gt;Form&lt;/i&gt;</h1>"), std::string::npos) << html;
    EXPECT_NE(html.find(">a&lt;b &amp; &quot;c&quot;&gt;</label>"), std::string::npos) << html;
    EXPECT_NE(html.find("value=\"&quot;&gt;&lt;script&gt;\""), std::string::npos) << html;
    EXPECT_EQ(html.find("<script"), std::string::npos) << html;
}

// The first control that takes the focus has it, whatever its kind; a box
// comes under its caption in the column, wherever the caption stands in tab
// order; the rest follow the boxes.
TEST(WebMarkup, FocusAndColumn)
{
    const platform::ControlDescription controls[] = {
        {"Label1", Label, 0, 0, 15, 15, "x"},
        {.name = "Command1", .kind = Button, .left = 0, .top = 0, .width = 15, .height = 15, .text = "go"},
        {"Text1", TextBox, 0, 0, 15, 15, ""},
        {"Label2", Label, 0, 0, 15, 15, "y", "Text1"},
    };
    const platform::web::FormMarkup markup = platform::web::MarkupOf({"Form1", 30, 30, controls});
    EXPECT_NE(markup.html.find("<button id=\"Command1\" type=\"button\" autofocus>"), std::string::npos);
    EXPECT_EQ(markup.html.find("autofocus"), markup.html.rfind("autofocus"));
    for (const char* rule : {"#Label2{--left:0;--top:0;--width:15;--height:15;--column:1}",
                             "#Text1{--left:0;--top:0;--width:15;--height:15;--column:2}",
                             "#Label1{--left:0;--top:0;--width:15;--height:15;--column:3}",
                             "#Command1{--left:0;--top:0;--width:15;--height:15;--column:4}"})
        EXPECT_NE(markup.style.find(rule), std::string::npos) << rule << " in\n" << markup.style;
}

} // namespace
