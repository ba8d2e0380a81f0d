// Simulated run-time loading. "winspool.drv" is always there (exporting "SetDefaultPrinterA"
// from Windows 2000 on, as test_SetDefaultPrinter in Wine's winspool.drv/tests/info.c notes,
// and "DeletePrintProcessorA" everywhere, an assumption no test records), and so is
// "kernel32.dll" with "MoveFileExA" (and "IsWow64Process" from XP on); a test or a simulated device
// registers other libraries with their exports, or hides an export. Loads and frees are counted, so
// that a library left loaded is seen.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "platform/library_service.h"

namespace platform::sim {

class SimMachine;

class SimLibraries final : public LibraryService {
 public:
  using Exports = std::map<std::string, FARPROC>;

  explicit SimLibraries(SimMachine& machine) : machine_(machine) {}

  // A library that LoadLibraryA finds by this file name (without regard to case).
  void RegisterLibrary(const std::string& name, Exports exports);
  void UnregisterLibrary(const std::string& name);
  // GetProcAddress finds no such export in that library (a system that lacks it).
  void HideExport(const std::string& library, const std::string& name);
  size_t loadedCount() const { return loaded_.size(); }
  int loadRequests() const { return loadRequests_; }

  HMODULE LoadLibraryA(LPCSTR name) override;
  BOOL FreeLibrary(HMODULE module) override;
  FARPROC GetProcAddress(HMODULE module, LPCSTR name) override;

 private:
  SimMachine& machine_;
  std::map<std::string, Exports> libraries_;              // by upper-case name
  std::set<std::pair<std::string, std::string>> hidden_;  // upper-case library, export
  std::map<std::uintptr_t, std::string> loaded_;          // module -> upper-case name
  std::uintptr_t nextModule_ = 0x10000000;
  int loadRequests_ = 0;
};

}  // namespace platform::sim
