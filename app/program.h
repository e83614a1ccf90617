// This program as the platform starts it: names, version, icon, start-up form.
#pragma once

#include "platform/application.h"

const platform::ProgramDescription& Program();
