// This program as the runtime starts it: names, version, icon, start-up form.
#pragma once

#include "platform/runtime.h"

const platform::ProgramDescription& Program();
