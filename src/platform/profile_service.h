// Seam: the profile (INI file) calls. Every INI read of the program goes through here.
#pragma once

#include "platform/win_types.h"

namespace platform {

class ProfileService {
 public:
  virtual ~ProfileService() = default;
  // Same contract as the Win32 call: the value (or the default) cut to size - 1 characters,
  // always terminated when size > 0; returns the number of characters copied.
  virtual DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR out,
                                         DWORD size, LPCSTR fileName) = 0;
  // Writes to win.ini.
  virtual BOOL WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value) = 0;
  // A whole section as "key=value" lines, each terminated, the list ended by one more NUL:
  // the only way to read or write a section whose keys repeat (WININIT.INI's "NUL=").
  virtual DWORD GetPrivateProfileSectionA(LPCSTR section, LPSTR out, DWORD size,
                                          LPCSTR fileName) = 0;
  virtual BOOL WritePrivateProfileSectionA(LPCSTR section, LPCSTR lines, LPCSTR fileName) = 0;
};

}  // namespace platform
