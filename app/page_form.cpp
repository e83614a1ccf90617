// Writes the program's start-up form as the page's markup and its places as
// style (platform/web/markup.h) into the two files its arguments name; the
// web build runs it under Node and puts both into the page (make-page).
//   page_form FORM.html FORM.css
#include "app/program.h"
#include "platform/web/markup.h"

#include <cstdio>
#include <string>
#include <utility>

namespace {

bool Write(const char* path, const std::string& text)
{
    std::FILE* file = std::fopen(path, "w");
    if (!file)
        return false;
    const bool written = std::fputs(text.c_str(), file) >= 0;
    return std::fclose(file) == 0 && written;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fputs("usage: page_form FORM.html FORM.css\n", stderr);
        return 2;
    }
    const platform::web::FormMarkup markup = platform::web::MarkupOf(*Program().startupForm);
    for (const auto& [path, text] : {std::pair{argv[1], markup.html}, std::pair{argv[2], markup.style}}) {
        if (!Write(path, text)) {
            std::perror(path);
            return 1;
        }
    }
}
