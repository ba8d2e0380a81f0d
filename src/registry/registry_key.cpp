#include "registry/registry_key.h"

#include <cstring>

namespace registry {

bool RegistryKey::Open(HKEY root, const char* path) {
  Close();
  HKEY opened = nullptr;
  const LONG result = registry_.RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &opened);
  if (result != ERROR_SUCCESS) {
    lastError_ = static_cast<DWORD>(result);
    return false;
  }
  handle_ = opened;
  return true;
}

bool RegistryKey::OpenOrCreate(HKEY root, const char* path) {
  if (Open(root, path)) {
    return true;
  }
  CreateKey(root, path);
  return Open(root, path);
}

bool RegistryKey::Close() {
  if (handle_ == nullptr) {
    return false;
  }
  const LONG result = registry_.RegCloseKey(handle_);
  handle_ = nullptr;
  return result == ERROR_SUCCESS;
}

bool RegistryKey::QueryValue(const char* name, void* buffer, DWORD size) {
  if (handle_ == nullptr) {
    return false;
  }
  DWORD type = 0;
  const LONG result =
      registry_.RegQueryValueExA(handle_, name, nullptr, &type, static_cast<LPBYTE>(buffer), &size);
  lastError_ = static_cast<DWORD>(result);
  return result == ERROR_SUCCESS;
}

bool RegistryKey::QueryDword(const char* name, DWORD* value, DWORD* error) {
  if (handle_ == nullptr) {
    ReportError(error);
    return false;
  }
  const bool ok = QueryValue(name, value, sizeof(DWORD));
  ReportError(error);
  return ok;
}

bool RegistryKey::SetValue(const char* name, const void* data, DWORD type, DWORD size) {
  if (handle_ == nullptr) {
    return false;
  }
  const LONG result =
      registry_.RegSetValueExA(handle_, name, 0, type, static_cast<const BYTE*>(data), size);
  lastError_ = static_cast<DWORD>(result);
  return result == ERROR_SUCCESS;
}

bool RegistryKey::DeleteValue(const char* name) {
  if (handle_ == nullptr) {
    return false;
  }
  const LONG result = registry_.RegDeleteValueA(handle_, name);
  lastError_ = static_cast<DWORD>(result);
  return result == ERROR_SUCCESS;
}

bool RegistryKey::SetDword(const char* name, DWORD value, DWORD* error) {
  if (handle_ == nullptr) {
    ReportError(error);
    return false;
  }
  const bool ok = SetValue(name, &value, REG_DWORD, sizeof(value));
  ReportError(error);
  return ok;
}

bool RegistryKey::SetString(const char* name, const char* text, DWORD* error) {
  if (handle_ == nullptr) {
    ReportError(error);
    return false;
  }
  const bool ok = SetValue(name, text, REG_SZ, static_cast<DWORD>(std::strlen(text) + 1));
  ReportError(error);
  return ok;
}

LONG RegistryKey::EnumValue(DWORD index, char* name, DWORD* nameSize, DWORD* type) {
  if (handle_ == nullptr) {
    return ERROR_INVALID_HANDLE;
  }
  return registry_.RegEnumValueA(handle_, index, name, nameSize, nullptr, type, nullptr, nullptr);
}

std::vector<std::string> RegistryKey::ValueNames(DWORD nameSize) {
  std::vector<std::string> names;
  std::vector<char> name(nameSize);
  for (DWORD index = 0;; ++index) {
    DWORD size = nameSize;
    DWORD type = 0;
    const LONG result = EnumValue(index, name.data(), &size, &type);
    if (result == static_cast<LONG>(ERROR_MORE_DATA)) {
      continue;
    }
    if (result != ERROR_SUCCESS) {
      return names;
    }
    names.emplace_back(name.data());
  }
}

bool RegistryKey::CreateKey(HKEY root, const char* path) {
  HKEY created = nullptr;
  DWORD disposition = 0;
  const LONG result = registry_.RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                                KEY_ALL_ACCESS, nullptr, &created, &disposition);
  if (result != ERROR_SUCCESS) {
    return false;
  }
  registry_.RegCloseKey(created);
  return true;
}

}  // namespace registry
