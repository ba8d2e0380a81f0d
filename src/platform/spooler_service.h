// Seam: the print spooler calls (winspool.drv), with the Win32 contract: BOOL or handle results
// and the error in the system service's GetLastError.
#pragma once

#include "platform/win_types.h"

namespace platform {

class SpoolerService {
 public:
  virtual ~SpoolerService() = default;
  virtual HANDLE AddPrinterA(LPSTR server, DWORD level, LPBYTE info) = 0;
  virtual BOOL ClosePrinter(HANDLE printer) = 0;
  virtual BOOL AddPrinterDriverA(LPSTR server, DWORD level, LPBYTE info) = 0;
  virtual BOOL AddMonitorA(LPSTR server, DWORD level, LPBYTE info) = 0;
  virtual BOOL AddPrintProcessorA(LPSTR server, LPSTR environment, LPSTR path, LPSTR name) = 0;
  virtual BOOL EnumPortsA(LPSTR server, DWORD level, LPBYTE ports, DWORD size, LPDWORD needed,
                          LPDWORD returned) = 0;
  virtual BOOL OpenPrinterA(LPSTR name, HANDLE* printer, void* defaults) = 0;
  virtual BOOL GetPrinterA(HANDLE printer, DWORD level, LPBYTE info, DWORD size,
                           LPDWORD needed) = 0;
  virtual BOOL SetPrinterA(HANDLE printer, DWORD level, LPBYTE info, DWORD command) = 0;
  virtual BOOL GetPrinterDriverDirectoryA(LPSTR server, LPSTR environment, DWORD level,
                                          LPBYTE directory, DWORD size, LPDWORD needed) = 0;
  virtual BOOL GetPrintProcessorDirectoryA(LPSTR server, LPSTR environment, DWORD level,
                                           LPBYTE directory, DWORD size, LPDWORD needed) = 0;

  // What is installed, and its removal. DeletePrintProcessorA is looked up at run time
  // (library_service.h).
  virtual BOOL EnumPrintersA(DWORD flags, LPSTR name, DWORD level, LPBYTE printers, DWORD size,
                             LPDWORD needed, LPDWORD returned) = 0;
  virtual BOOL DeletePrinter(HANDLE printer) = 0;
  virtual BOOL EnumPrinterDriversA(LPSTR server, LPSTR environment, DWORD level, LPBYTE drivers,
                                   DWORD size, LPDWORD needed, LPDWORD returned) = 0;
  virtual BOOL DeletePrinterDriverA(LPSTR server, LPSTR environment, LPSTR driverName) = 0;
  virtual BOOL DeleteMonitorA(LPSTR server, LPSTR environment, LPSTR monitorName) = 0;
  // The monitors with the DLL each is registered with (level 2).
  virtual BOOL EnumMonitorsA(LPSTR server, DWORD level, LPBYTE monitors, DWORD size, LPDWORD needed,
                             LPDWORD returned) = 0;
  virtual BOOL EnumPrintProcessorsA(LPSTR server, LPSTR environment, DWORD level, LPBYTE processors,
                                    DWORD size, LPDWORD needed, LPDWORD returned) = 0;
};

}  // namespace platform
