// Seam: run-time loading of libraries and their functions. Every function the program looks up
// at run time is named here with its exact type, so that no caller casts a FARPROC itself.
#pragma once

#include "platform/win_types.h"

namespace platform {

// winspool.drv, Windows 2000 and later.
using SetDefaultPrinterAFn = BOOL(WINAPI*)(LPCSTR printerName);
// winspool.drv; whether Windows 98 and NT 4 export it is not known, so it is looked up.
using DeletePrintProcessorAFn = BOOL(WINAPI*)(LPSTR server, LPSTR environment, LPSTR name);
// kernel32.dll: the NT family's deletion at restart (MOVEFILE_DELAY_UNTIL_REBOOT). Windows
// 95/98/Me have no such deletion (they read WININIT.INI instead); looked up so that the
// program needs no import they might lack.
using MoveFileExAFn = BOOL(WINAPI*)(LPCSTR existing, LPCSTR newName, DWORD flags);
// kernel32.dll of XP SP2, Server 2003 SP1 and later; 98, NT 4 and 2000 lack it.
using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE process, PBOOL wow64);

// The printer maker's USB library, KsUsbInt.dll. Devices are integer handles; 0 and -1 mean
// that no device answers. The descriptor buffer holds 20 bytes.
using OpenDeviceXFn = int(WINAPI*)(int deviceIndex);
using CloseDeviceFn = int(WINAPI*)(int device);
using GetDescriptorFn = int(WINAPI*)(int device, BYTE* descriptor);
using UWriteFn = int(WINAPI*)(int device, int reserved, BYTE* data, int length);

class LibraryService {
 public:
  virtual ~LibraryService() = default;
  virtual HMODULE LoadLibraryA(LPCSTR name) = 0;
  virtual BOOL FreeLibrary(HMODULE module) = 0;
  // GetProcAddress; null when the library lacks the export.
  virtual FARPROC GetProcAddress(HMODULE module, LPCSTR name) = 0;
};

// Typed look-up: the one place a looked-up address becomes a function of its declared type.
// (void (*)() converts to and from any function pointer type.)
template <typename Function>
Function LookUp(LibraryService& libraries, HMODULE module, LPCSTR name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void (*)()>(libraries.GetProcAddress(module, name)));
}

// The other way, for simulated libraries: a function of ours as GetProcAddress returns it.
template <typename Function>
FARPROC AsFarProc(Function function) {
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

}  // namespace platform
