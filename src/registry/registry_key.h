// RegistryKey: one registry key held open at a time, with the installer's conventions: every
// operation answers true or false, never shows a message, and keeps the last Win32 error.
#pragma once

#include <string>
#include <vector>

#include "platform/registry_service.h"

namespace registry {

class RegistryKey {
 public:
  explicit RegistryKey(platform::RegistryService& registry) : registry_(registry) {}
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  ~RegistryKey() { Close(); }

  // Closes any held key, then opens root\path with full access.
  bool Open(HKEY root, const char* path);
  // Opens root\path, creating it first when it does not exist.
  bool OpenOrCreate(HKEY root, const char* path);
  bool Close();
  bool isOpen() const { return handle_ != nullptr; }
  HKEY handle() const { return handle_; }

  bool QueryValue(const char* name, void* buffer, DWORD size);
  bool QueryDword(const char* name, DWORD* value, DWORD* error = nullptr);
  bool SetValue(const char* name, const void* data, DWORD type, DWORD size);
  bool SetDword(const char* name, DWORD value, DWORD* error = nullptr);
  // Stores the text with its terminating NUL as REG_SZ.
  bool SetString(const char* name, const char* text, DWORD* error = nullptr);
  bool DeleteValue(const char* name);
  // The platform's result code (0 for success); a value's name without its data.
  LONG EnumValue(DWORD index, char* name, DWORD* nameSize, DWORD* type);
  // The names of the key's values, in the registry's order, leaving out a name that does not
  // fit `nameSize` (with its NUL): the callers know the longest name they ever write.
  std::vector<std::string> ValueNames(DWORD nameSize);
  // Creates root\path (and any missing key above it) and closes the new handle at once.
  bool CreateKey(HKEY root, const char* path);

  DWORD lastError() const { return lastError_; }

 private:
  void ReportError(DWORD* error) const {
    if (error != nullptr) {
      *error = lastError_;
    }
  }

  platform::RegistryService& registry_;
  HKEY handle_ = nullptr;
  DWORD lastError_ = 0;
};

}  // namespace registry
