#include "platform/sim/sim_libraries.h"

#include <algorithm>
#include <cctype>

#include "platform/sim/name_case.h"
#include "platform/sim/sim_machine.h"

namespace platform::sim {
namespace {

// A plain file name: what LoadLibraryA looks for along the search path.
std::string FileName(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

BOOL WINAPI SimSetDefaultPrinterA(LPCSTR name) {
  return SimMachine::Active().spooler().SetDefaultPrinter(name);
}

}  // namespace

void SimLibraries::RegisterLibrary(const std::string& name, Exports exports) {
  libraries_[UpperCase(name)] = std::move(exports);
}

void SimLibraries::UnregisterLibrary(const std::string& name) {
  libraries_.erase(UpperCase(name));
}

HMODULE SimLibraries::LoadLibraryA(LPCSTR name) {
  ++loadRequests_;
  const std::string file = UpperCase(FileName(name == nullptr ? "" : name));
  const bool winspool = file == "WINSPOOL.DRV";
  if (!winspool && libraries_.count(file) == 0) {
    machine_.SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  const std::uintptr_t id = nextModule_;
  nextModule_ += 0x1000;
  loaded_[id] = file;
  return reinterpret_cast<HMODULE>(id);
}

BOOL SimLibraries::FreeLibrary(HMODULE module) {
  if (loaded_.erase(reinterpret_cast<std::uintptr_t>(module)) == 0) {
    machine_.SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

FARPROC SimLibraries::GetProcAddress(HMODULE module, LPCSTR name) {
  const auto it = loaded_.find(reinterpret_cast<std::uintptr_t>(module));
  if (it == loaded_.end() || name == nullptr) {
    machine_.SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (it->second == "WINSPOOL.DRV") {
    if (std::string(name) == "SetDefaultPrinterA" && machine_.IsNt5OrLater()) {
      return AsFarProc(&SimSetDefaultPrinterA);
    }
  } else {
    const Exports& exports = libraries_[it->second];
    const auto found = exports.find(name);
    if (found != exports.end()) {
      return found->second;
    }
  }
  machine_.SetLastError(ERROR_PROC_NOT_FOUND);
  return nullptr;
}

}  // namespace platform::sim
