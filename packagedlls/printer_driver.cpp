// The printer-graphics DLL of the package's drivers (TPSTD.DLL, TPGDI.DLL and their NT 4
// forms): GDI's entry point is there so that the file is a driver DLL, but it declines to
// enable the driver, so a program that opens a device context on our queue gets an error
// instead of a driver that cannot draw.
#include <windows.h>

extern "C" __declspec(dllexport) BOOL WINAPI
    DrvEnableDriver(ULONG /*engineVersion*/, ULONG /*size*/, void* /*data*/) {
  SetLastError(ERROR_NOT_SUPPORTED);
  return FALSE;
}
