#include "app/program.h"

int main(int argc, char* argv[])
{
    return platform::Run(argc, argv, Program());
}
