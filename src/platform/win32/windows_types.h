// Windows build: the real declarations, plus checks that the layouts the program relies on hold.
#pragma once

#include <windows.h>

static_assert(sizeof(OSVERSIONINFOA) == 148, "OSVERSIONINFOA layout");
