#include "app/program.h"

#include "ui/Form1.h"

const platform::ProgramDescription& Program()
{
    static constexpr const char* icons[] = {
        ":/icons/discharge-16.png",
        ":/icons/discharge-32.png",
        ":/icons/discharge-48.png",
    };
    static constexpr platform::ProgramDescription program{
        .name = "discharge",
        .version = DISCHARGE_VERSION,
        .locale = "zh_CN",
        .desktopFileName = DISCHARGE_APP_ID,
        .iconFiles = icons,
        .startupForm = &Form1,
    };
    return program;
}
