// Win32 profile calls, one to one.
#pragma once

#include "platform/profile_service.h"

namespace platform {

class Win32ProfileService final : public ProfileService {
 public:
  DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR out,
                                 DWORD size, LPCSTR fileName) override {
    return ::GetPrivateProfileStringA(section, key, defaultValue, out, size, fileName);
  }
  BOOL WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value) override {
    return ::WriteProfileStringA(section, key, value);
  }
  DWORD GetPrivateProfileSectionA(LPCSTR section, LPSTR out, DWORD size, LPCSTR fileName) override {
    return ::GetPrivateProfileSectionA(section, out, size, fileName);
  }
  BOOL WritePrivateProfileSectionA(LPCSTR section, LPCSTR lines, LPCSTR fileName) override {
    return ::WritePrivateProfileSectionA(section, lines, fileName);
  }
};

}  // namespace platform
