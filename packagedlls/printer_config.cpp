// The configuration (user-interface) DLL of the package's drivers (TPSTDUI.DLL, TPGDIUI.DLL
// and their NT 4 forms). The spooler loads it when a driver is added and when a printer is
// added with it; these are the entry points it calls there. It shows no property sheets and
// makes no device modes: the installer always passes the printer's device mode itself.
#include <windows.h>

// Document properties: -1 tells the caller that no device mode or sheet comes from here.
// (Returning 0 when asked for a device-mode size makes Wine overrun a buffer.)
extern "C" __declspec(dllexport) LONG WINAPI
    DrvDocumentPropertySheets(void* /*sheetInfo*/, LPARAM /*header*/) {
  return -1;
}

extern "C" __declspec(dllexport) LONG WINAPI
    DrvDevicePropertySheets(void* /*sheetInfo*/, LPARAM /*header*/) {
  return -1;
}

// Driver installed or removed: nothing of ours to set up.
extern "C" __declspec(dllexport) BOOL WINAPI
    DrvDriverEvent(DWORD /*event*/, DWORD /*level*/, LPBYTE /*driverInfo*/, LPARAM /*parameter*/) {
  return TRUE;
}

// Printer added, removed or changed: likewise.
extern "C" __declspec(dllexport) BOOL WINAPI
    DrvPrinterEvent(LPWSTR /*printerName*/, INT /*event*/, DWORD /*flags*/, LPARAM /*parameter*/) {
  return TRUE;
}

// Capabilities: GDI_ERROR, "not known", for every question.
extern "C" __declspec(dllexport) DWORD WINAPI
    DrvDeviceCapabilities(HANDLE /*printer*/, LPWSTR /*deviceName*/, WORD /*capability*/,
                          void* /*output*/, void* /*devMode*/) {
  return GDI_ERROR;
}
