#include "app/program.h"

PLATFORM_MAIN(Program())
