#include "platform/application.h"
#include "ui/Form1.h"

int main(int argc, char* argv[])
{
    static constexpr platform::ProgramDescription program{
        .name = "discharge",
        .version = DISCHARGE_VERSION,
        .locale = "zh_CN",
        .createStartupForm = [] { return std::unique_ptr<QWidget>(new Form1); },
    };
    return platform::Run(argc, argv, program);
}
