#include "app/program.h"

#include "ui/Form1.h"

const platform::ProgramDescription& Program()
{
    static constexpr platform::ProgramDescription program{.name = "discharge", .startupForm = &Form1};
    return program;
}
