// Win32 spooler calls, one to one.
#pragma once

#include "platform/spooler_service.h"

namespace platform {

class Win32SpoolerService final : public SpoolerService {
 public:
  HANDLE AddPrinterA(LPSTR server, DWORD level, LPBYTE info) override {
    return ::AddPrinterA(server, level, info);
  }
  BOOL ClosePrinter(HANDLE printer) override { return ::ClosePrinter(printer); }
  BOOL AddPrinterDriverA(LPSTR server, DWORD level, LPBYTE info) override {
    return ::AddPrinterDriverA(server, level, info);
  }
  BOOL AddMonitorA(LPSTR server, DWORD level, LPBYTE info) override {
    return ::AddMonitorA(server, level, info);
  }
  BOOL AddPrintProcessorA(LPSTR server, LPSTR environment, LPSTR path, LPSTR name) override {
    return ::AddPrintProcessorA(server, environment, path, name);
  }
  BOOL EnumPortsA(LPSTR server, DWORD level, LPBYTE ports, DWORD size, LPDWORD needed,
                  LPDWORD returned) override {
    return ::EnumPortsA(server, level, ports, size, needed, returned);
  }
  BOOL OpenPrinterA(LPSTR name, HANDLE* printer, void* defaults) override {
    return ::OpenPrinterA(name, printer, static_cast<LPPRINTER_DEFAULTSA>(defaults));
  }
  BOOL GetPrinterA(HANDLE printer, DWORD level, LPBYTE info, DWORD size, LPDWORD needed) override {
    return ::GetPrinterA(printer, level, info, size, needed);
  }
  BOOL SetPrinterA(HANDLE printer, DWORD level, LPBYTE info, DWORD command) override {
    return ::SetPrinterA(printer, level, info, command);
  }
  BOOL GetPrinterDriverDirectoryA(LPSTR server, LPSTR environment, DWORD level, LPBYTE directory,
                                  DWORD size, LPDWORD needed) override {
    return ::GetPrinterDriverDirectoryA(server, environment, level, directory, size, needed);
  }
  BOOL GetPrintProcessorDirectoryA(LPSTR server, LPSTR environment, DWORD level, LPBYTE directory,
                                   DWORD size, LPDWORD needed) override {
    return ::GetPrintProcessorDirectoryA(server, environment, level, directory, size, needed);
  }
  BOOL EnumPrintersA(DWORD flags, LPSTR name, DWORD level, LPBYTE printers, DWORD size,
                     LPDWORD needed, LPDWORD returned) override {
    return ::EnumPrintersA(flags, name, level, printers, size, needed, returned);
  }
  BOOL DeletePrinter(HANDLE printer) override { return ::DeletePrinter(printer); }
  BOOL EnumPrinterDriversA(LPSTR server, LPSTR environment, DWORD level, LPBYTE drivers, DWORD size,
                           LPDWORD needed, LPDWORD returned) override {
    return ::EnumPrinterDriversA(server, environment, level, drivers, size, needed, returned);
  }
  BOOL DeletePrinterDriverA(LPSTR server, LPSTR environment, LPSTR driverName) override {
    return ::DeletePrinterDriverA(server, environment, driverName);
  }
  BOOL DeleteMonitorA(LPSTR server, LPSTR environment, LPSTR monitorName) override {
    return ::DeleteMonitorA(server, environment, monitorName);
  }
  BOOL EnumMonitorsA(LPSTR server, DWORD level, LPBYTE monitors, DWORD size, LPDWORD needed,
                     LPDWORD returned) override {
    return ::EnumMonitorsA(server, level, monitors, size, needed, returned);
  }
  BOOL EnumPrintProcessorsA(LPSTR server, LPSTR environment, DWORD level, LPBYTE processors,
                            DWORD size, LPDWORD needed, LPDWORD returned) override {
    return ::EnumPrintProcessorsA(server, environment, level, processors, size, needed, returned);
  }
};

}  // namespace platform
