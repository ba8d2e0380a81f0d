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

BOOL WINAPI SimDeletePrintProcessorA(LPSTR /*server*/, LPSTR environment, LPSTR name) {
  return SimMachine::Active().spooler().DeletePrintProcessor(environment, name);
}

BOOL WINAPI SimMoveFileExA(LPCSTR existing, LPCSTR newName, DWORD flags) {
  return SimMachine::Active().MoveFileEx(existing, newName, flags);
}

// WOW64 is the process's own state: the pseudo handle of the current process is the one
// handle the program passes.
BOOL WINAPI SimIsWow64Process(HANDLE process, PBOOL wow64) {
  SimMachine& machine = SimMachine::Active();
  if (process != SimMachine::kCurrentProcess || wow64 == nullptr) {
    machine.SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  *wow64 = machine.wow64() ? TRUE : FALSE;
  return TRUE;
}

// The system libraries every version has, with the exports the program looks up.
FARPROC SystemExport(const SimMachine& machine, const std::string& library,
                     const std::string& name) {
  if (library == "WINSPOOL.DRV") {
    if (name == "SetDefaultPrinterA" && machine.IsNt5OrLater()) {
      return AsFarProc(&SimSetDefaultPrinterA);
    }
    if (name == "DeletePrintProcessorA") {
      return AsFarProc(&SimDeletePrintProcessorA);
    }
  } else if (library == "KERNEL32.DLL") {
    if (name == "MoveFileExA") {
      return AsFarProc(&SimMoveFileExA);
    }
    if (name == "IsWow64Process" && machine.HasIsWow64Process()) {
      return AsFarProc(&SimIsWow64Process);
    }
  }
  return nullptr;
}

bool IsSystemLibrary(const std::string& file) {
  return file == "WINSPOOL.DRV" || file == "KERNEL32.DLL";
}

}  // namespace

void SimLibraries::RegisterLibrary(const std::string& name, Exports exports) {
  libraries_[UpperCase(name)] = std::move(exports);
}

void SimLibraries::UnregisterLibrary(const std::string& name) {
  libraries_.erase(UpperCase(name));
}

void SimLibraries::HideExport(const std::string& library, const std::string& name) {
  hidden_.insert({UpperCase(library), name});
}

HMODULE SimLibraries::LoadLibraryA(LPCSTR name) {
  ++loadRequests_;
  const std::string file = UpperCase(FileName(name == nullptr ? "" : name));
  if (!IsSystemLibrary(file) && libraries_.count(file) == 0) {
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
  if (hidden_.count({it->second, name}) != 0) {
    machine_.SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  if (IsSystemLibrary(it->second)) {
    if (FARPROC found = SystemExport(machine_, it->second, name)) {
      return found;
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
