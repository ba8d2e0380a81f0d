// Win32 registry calls, one to one.
#pragma once

#include "platform/registry_service.h"

namespace platform {

class Win32RegistryService final : public RegistryService {
 public:
  LONG RegOpenKeyExA(HKEY root, LPCSTR subKey, DWORD options, REGSAM access,
                     PHKEY result) override {
    return ::RegOpenKeyExA(root, subKey, options, access, result);
  }
  LONG RegCreateKeyExA(HKEY root, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options,
                       REGSAM access, void* security, PHKEY result, LPDWORD disposition) override {
    return ::RegCreateKeyExA(root, subKey, reserved, keyClass, options, access,
                             static_cast<LPSECURITY_ATTRIBUTES>(security), result, disposition);
  }
  LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                        LPDWORD dataSize) override {
    return ::RegQueryValueExA(key, valueName, reserved, type, data, dataSize);
  }
  LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                      DWORD dataSize) override {
    return ::RegSetValueExA(key, valueName, reserved, type, data, dataSize);
  }
  LONG RegEnumValueA(HKEY key, DWORD index, LPSTR valueName, LPDWORD valueNameSize,
                     LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataSize) override {
    return ::RegEnumValueA(key, index, valueName, valueNameSize, reserved, type, data, dataSize);
  }
  LONG RegDeleteValueA(HKEY key, LPCSTR valueName) override {
    return ::RegDeleteValueA(key, valueName);
  }
  LONG RegEnumKeyA(HKEY key, DWORD index, LPSTR name, DWORD nameSize) override {
    return ::RegEnumKeyA(key, index, name, nameSize);
  }
  LONG RegDeleteKeyA(HKEY root, LPCSTR subKey) override { return ::RegDeleteKeyA(root, subKey); }
  LONG RegCloseKey(HKEY key) override { return ::RegCloseKey(key); }
};

}  // namespace platform
