// The real Windows behind the seam, for Setup.exe and the Windows-built test programs.
#pragma once

#include "platform/platform.h"
#include "platform/win32/win32_file_service.h"
#include "platform/win32/win32_library_service.h"
#include "platform/win32/win32_profile_service.h"
#include "platform/win32/win32_registry_service.h"
#include "platform/win32/win32_service_control.h"
#include "platform/win32/win32_spooler_service.h"
#include "platform/win32/win32_system_service.h"
#include "platform/win32/win32_user_service.h"

namespace platform {

class Win32Platform {
 public:
  Platform& Get() { return platform_; }

 private:
  Win32ProfileService profile_;
  Win32FileService files_;
  Win32SystemService system_;
  Win32UserService user_;
  Win32RegistryService registry_;
  Win32SpoolerService spooler_;
  Win32ServiceControl services_;
  Win32LibraryService libraries_;
  Platform platform_{profile_, files_, system_, user_, registry_, spooler_, services_, libraries_};
};

}  // namespace platform
