// The form's markup that the web build writes into the page: texts that the
// form's own description does not have, which the browser tests cannot vary.
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

} // namespace
