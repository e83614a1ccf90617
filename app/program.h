// This program as the runtime starts it: its name and its start-up form.
#pragma once

#include "platform/runtime.h"

const platform::ProgramDescription& Program();
