// Seam: the registry calls, with the Win32 contract (results are Win32 error codes).
#pragma once

#include "platform/win_types.h"

namespace platform {

class RegistryService {
 public:
  virtual ~RegistryService() = default;
  virtual LONG RegOpenKeyExA(HKEY root, LPCSTR subKey, DWORD options, REGSAM access,
                             PHKEY result) = 0;
  virtual LONG RegCreateKeyExA(HKEY root, LPCSTR subKey, DWORD reserved, LPSTR keyClass,
                               DWORD options, REGSAM access, void* security, PHKEY result,
                               LPDWORD disposition) = 0;
  virtual LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type,
                                LPBYTE data, LPDWORD dataSize) = 0;
  virtual LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type,
                              const BYTE* data, DWORD dataSize) = 0;
  virtual LONG RegEnumValueA(HKEY key, DWORD index, LPSTR valueName, LPDWORD valueNameSize,
                             LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataSize) = 0;
  virtual LONG RegDeleteValueA(HKEY key, LPCSTR valueName) = 0;
  virtual LONG RegEnumKeyA(HKEY key, DWORD index, LPSTR name, DWORD nameSize) = 0;
  // The NT family refuses a key that has subkeys; Windows 95/98/Me delete the whole tree.
  virtual LONG RegDeleteKeyA(HKEY root, LPCSTR subKey) = 0;
  virtual LONG RegCloseKey(HKEY key) = 0;
};

}  // namespace platform
