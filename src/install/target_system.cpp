#include "install/target_system.h"

#include "language/language.h"
#include "resources/resource_ids.h"

namespace install {
namespace {

bool IsServer(const OSVERSIONINFOEXA& version) {
  return version.wProductType == VER_NT_SERVER || version.wProductType == VER_NT_DOMAIN_CONTROLLER;
}

TargetSystem NewerNtSystem(const OSVERSIONINFOEXA& version) {
  return IsServer(version)
             ? TargetSystem{IDC_OS_SERVER2003, kTargetServer2003, true,
                            language::Pick("Windows Server 2003 及更高版本",
                                           "Windows Server 2003 and later")}
             : TargetSystem{IDC_OS_WINXP, kTargetWinXp, true,
                            language::Pick("Windows XP 及更高版本", "Windows XP and later")};
}

}  // namespace

TargetSystem RecogniseTargetSystem(const OSVERSIONINFOEXA& version) {
  const DWORD major = version.dwMajorVersion;
  const DWORD minor = version.dwMinorVersion;
  switch (version.dwPlatformId) {
    case VER_PLATFORM_WIN32_WINDOWS:
      // Windows 95 is 4.0 and gets no button; 98 and Me are 4.10 and 4.90.
      return minor > 0 ? TargetSystem{IDC_OS_WIN98, kTargetWin98Me, true}
                       : TargetSystem{kNoSystemButton, kTargetWin98Me, true};
    case VER_PLATFORM_WIN32_NT:
      if (major == 4 && minor == 0) {
        return {IDC_OS_NT4, kTargetNt4, true};
      }
      if (major == 5 && minor == 0) {
        return {IDC_OS_WIN2000, kTargetWin2000, true};
      }
      if (major == 5 && minor == 1) {
        return {IDC_OS_WINXP, kTargetWinXp, true};
      }
      if (major == 5 && minor == 2) {
        return {IDC_OS_SERVER2003, kTargetServer2003, true};
      }
      if (major >= 6) {
        return NewerNtSystem(version);
      }
      return {kNoSystemButton, kTargetWin98Me, true};
    default:
      return {kNoSystemButton, kTargetWin98Me, false};
  }
}

TargetSystem RunningTargetSystem(platform::SystemService& system) {
  OSVERSIONINFOEXA version{};
  version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
  if (system.GetVersionExA(&version) == FALSE) {
    // The product type stays 0: a system without the extended form is no newer server.
    version = OSVERSIONINFOEXA{};
    version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    system.GetVersionExA(&version);
  }
  return RecogniseTargetSystem(version);
}

const char* TargetSystemName(int targetOs) {
  static const char* const kNames[kTargetOsCount] = {
      "Windows 98/Me", "Windows NT 4", "Windows 2000", "Windows XP", "Windows Server 2003"};
  return targetOs >= 0 && targetOs < kTargetOsCount ? kNames[targetOs] : "?";
}

}  // namespace install
