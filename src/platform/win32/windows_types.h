// Windows build: the real declarations, plus checks that the layouts the program relies on hold.
#pragma once

#include <windows.h>

static_assert(sizeof(OSVERSIONINFOA) == 148, "OSVERSIONINFOA layout");
static_assert(sizeof(OSVERSIONINFOEXA) == 156, "OSVERSIONINFOEXA layout");

#include <winspool.h>

static_assert(sizeof(DRIVER_INFO_3A) == 10 * sizeof(void*), "DRIVER_INFO_3A layout");
static_assert(sizeof(MONITOR_INFO_2A) == 3 * sizeof(void*), "MONITOR_INFO_2A layout");
