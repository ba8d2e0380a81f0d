#include "contract_platform.h"

#include "platform/win32/win32_platform.h"

namespace contract {

platform::Platform& TestPlatform() {
  static platform::Win32Platform windows;
  return windows.Get();
}

bool RunningUnderWine() {
  HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool RunningOnSimulation() {
  return false;
}

}  // namespace contract
