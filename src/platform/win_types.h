// The Win32 types and structures the core works with. The Windows build takes them from
// <windows.h>; the native build uses look-alikes with the same names and field order.
#pragma once

#ifdef _WIN32
#include "platform/win32/windows_types.h"
#else
#include "platform/sim/native_win_types.h"
#endif
