#include "platform/sim/sim_registry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/sim/ini_document.h"

namespace platform::sim {
namespace {

std::string Join(const std::string& parent, const std::string& child) {
  return parent.empty() ? child : parent + "\\" + child;
}

}  // namespace

SimRegistry::SimRegistry() : root_(std::make_unique<Key>()) {}
SimRegistry::~SimRegistry() = default;

std::vector<std::string> SimRegistry::Split(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\') {
      if (!part.empty()) {
        parts.push_back(part);
      }
      part.clear();
    } else {
      part.push_back(c);
    }
  }
  if (!part.empty()) {
    parts.push_back(part);
  }
  return parts;
}

std::string SimRegistry::Normalise(const std::string& path) {
  std::string joined;
  for (const std::string& part : Split(path)) {
    joined = Join(joined, part);
  }
  return UpperCase(joined);
}

bool SimRegistry::IsDenied(const std::string& path) const {
  const std::string upper = UpperCase(path);
  for (const std::string& denied : denied_) {
    if (upper == denied || upper.rfind(denied + "\\", 0) == 0) {
      return true;
    }
  }
  return false;
}

SimRegistry::Key* SimRegistry::Resolve(HKEY key) const {
  if (key == HKEY_LOCAL_MACHINE) {
    return root_.get();
  }
  const auto it = handles_.find(reinterpret_cast<std::uintptr_t>(key));
  return it == handles_.end() ? nullptr : it->second;
}

SimRegistry::Key* SimRegistry::Find(Key& from, const std::string& subKey) const {
  Key* key = &from;
  for (const std::string& part : Split(subKey)) {
    const auto it = key->children.find(UpperCase(part));
    if (it == key->children.end()) {
      return nullptr;
    }
    key = it->second.get();
  }
  return key;
}

SimRegistry::Key* SimRegistry::FindOrCreate(const std::string& path, bool* created) {
  Key* key = root_.get();
  *created = false;
  for (const std::string& part : Split(path)) {
    auto& child = key->children[UpperCase(part)];
    if (!child) {
      child = std::make_unique<Key>();
      child->path = Join(key->path, part);
      *created = true;
    }
    key = child.get();
  }
  return key;
}

SimRegistry::Value* SimRegistry::FindValue(Key& key, const char* name) const {
  const std::string wanted = name == nullptr ? "" : name;
  for (Value& value : key.values) {
    if (EqualsIgnoringCase(value.name, wanted)) {
      return &value;
    }
  }
  return nullptr;
}

HKEY SimRegistry::NewHandle(Key* key) {
  const std::uintptr_t id = nextHandle_;
  nextHandle_ += 4;
  handles_[id] = key;
  return reinterpret_cast<HKEY>(id);
}

void SimRegistry::PutValue(const std::string& keyPath, const std::string& name, DWORD type,
                           const std::string& data) {
  bool created = false;
  Key* key = FindOrCreate(keyPath, &created);
  if (Value* existing = FindValue(*key, name.c_str())) {
    existing->type = type;
    existing->data = data;
  } else {
    key->values.push_back(Value{name, type, data});
  }
}

void SimRegistry::PutDword(const std::string& keyPath, const std::string& name, DWORD value) {
  std::string data(sizeof(value), '\0');
  std::memcpy(data.data(), &value, sizeof(value));
  PutValue(keyPath, name, REG_DWORD, data);
}

bool SimRegistry::KeyExists(const std::string& keyPath) const {
  return Find(*root_, keyPath) != nullptr;
}

std::optional<SimRegistry::Value> SimRegistry::GetValue(const std::string& keyPath,
                                                        const std::string& name) const {
  Key* key = Find(*root_, keyPath);
  if (key == nullptr) {
    return std::nullopt;
  }
  const Value* value = FindValue(*key, name.c_str());
  return value == nullptr ? std::nullopt : std::optional<Value>(*value);
}

std::optional<DWORD> SimRegistry::GetDword(const std::string& keyPath,
                                           const std::string& name) const {
  const auto value = GetValue(keyPath, name);
  if (!value || value->type != REG_DWORD || value->data.size() != sizeof(DWORD)) {
    return std::nullopt;
  }
  DWORD result = 0;
  std::memcpy(&result, value->data.data(), sizeof(result));
  return result;
}

std::vector<std::string> SimRegistry::ValueNames(const std::string& keyPath) const {
  std::vector<std::string> names;
  if (Key* key = Find(*root_, keyPath)) {
    for (const Value& value : key->values) {
      names.push_back(value.name);
    }
  }
  return names;
}

std::vector<std::string> SimRegistry::SubKeyNames(const std::string& keyPath) const {
  std::vector<std::string> names;
  if (Key* key = Find(*root_, keyPath)) {
    for (const auto& [upper, child] : key->children) {
      names.push_back(Split(child->path).back());
    }
  }
  return names;
}

LONG SimRegistry::RegOpenKeyExA(HKEY root, LPCSTR subKey, DWORD /*options*/, REGSAM /*access*/,
                                PHKEY result) {
  Key* parent = Resolve(root);
  if (parent == nullptr || result == nullptr) {
    return ERROR_INVALID_HANDLE;
  }
  const std::string sub = subKey == nullptr ? "" : subKey;
  Key* key = Find(*parent, sub);
  if (key == nullptr) {
    return ERROR_FILE_NOT_FOUND;
  }
  if (IsDenied(key->path)) {
    return ERROR_ACCESS_DENIED;
  }
  *result = NewHandle(key);
  return ERROR_SUCCESS;
}

LONG SimRegistry::RegCreateKeyExA(HKEY root, LPCSTR subKey, DWORD /*reserved*/, LPSTR /*keyClass*/,
                                  DWORD /*options*/, REGSAM /*access*/, void* /*security*/,
                                  PHKEY result, LPDWORD disposition) {
  Key* parent = Resolve(root);
  if (parent == nullptr || result == nullptr || subKey == nullptr) {
    return ERROR_INVALID_HANDLE;
  }
  const std::string path = Join(parent->path, subKey);
  if (IsDenied(Normalise(path))) {
    return ERROR_ACCESS_DENIED;
  }
  bool created = false;
  Key* key = FindOrCreate(path, &created);
  if (disposition != nullptr) {
    *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  }
  *result = NewHandle(key);
  return ERROR_SUCCESS;
}

LONG SimRegistry::RegQueryValueExA(HKEY hkey, LPCSTR valueName, LPDWORD /*reserved*/, LPDWORD type,
                                   LPBYTE data, LPDWORD dataSize) {
  Key* key = Resolve(hkey);
  if (key == nullptr) {
    return ERROR_INVALID_HANDLE;
  }
  const Value* value = FindValue(*key, valueName);
  if (value == nullptr) {
    return ERROR_FILE_NOT_FOUND;
  }
  if (data != nullptr && dataSize == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  if (type != nullptr) {
    *type = value->type;
  }
  const auto size = static_cast<DWORD>(value->data.size());
  if (data != nullptr) {
    if (*dataSize < size) {
      *dataSize = size;
      return ERROR_MORE_DATA;
    }
    std::memcpy(data, value->data.data(), size);
  }
  if (dataSize != nullptr) {
    *dataSize = size;
  }
  return ERROR_SUCCESS;
}

LONG SimRegistry::RegSetValueExA(HKEY hkey, LPCSTR valueName, DWORD /*reserved*/, DWORD type,
                                 const BYTE* data, DWORD dataSize) {
  Key* key = Resolve(hkey);
  if (key == nullptr) {
    return ERROR_INVALID_HANDLE;
  }
  if (readOnly_.count(UpperCase(key->path)) != 0) {
    return ERROR_ACCESS_DENIED;
  }
  if (data == nullptr && dataSize != 0) {
    return ERROR_INVALID_PARAMETER;
  }
  const std::string bytes(reinterpret_cast<const char*>(data), dataSize);
  const std::string name = valueName == nullptr ? "" : valueName;
  if (Value* existing = FindValue(*key, name.c_str())) {
    existing->type = type;
    existing->data = bytes;
  } else {
    key->values.push_back(Value{name, type, bytes});
  }
  return ERROR_SUCCESS;
}

LONG SimRegistry::RegEnumValueA(HKEY hkey, DWORD index, LPSTR valueName, LPDWORD valueNameSize,
                                LPDWORD /*reserved*/, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
  Key* key = Resolve(hkey);
  if (key == nullptr) {
    return ERROR_INVALID_HANDLE;
  }
  if (valueName == nullptr || valueNameSize == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  if (index >= key->values.size()) {
    return ERROR_NO_MORE_ITEMS;
  }
  const Value& value = key->values[index];
  if (value.name.size() + 1 > *valueNameSize) {
    return ERROR_MORE_DATA;
  }
  std::memcpy(valueName, value.name.c_str(), value.name.size() + 1);
  *valueNameSize = static_cast<DWORD>(value.name.size());
  if (type != nullptr) {
    *type = value.type;
  }
  if (data != nullptr || dataSize != nullptr) {
    const auto size = static_cast<DWORD>(value.data.size());
    if (data != nullptr && dataSize != nullptr) {
      if (*dataSize < size) {
        *dataSize = size;
        return ERROR_MORE_DATA;
      }
      std::memcpy(data, value.data.data(), size);
    }
    if (dataSize != nullptr) {
      *dataSize = size;
    }
  }
  return ERROR_SUCCESS;
}

LONG SimRegistry::RegCloseKey(HKEY key) {
  if (key == HKEY_LOCAL_MACHINE) {
    return ERROR_SUCCESS;
  }
  return handles_.erase(reinterpret_cast<std::uintptr_t>(key)) != 0 ? ERROR_SUCCESS
                                                                    : ERROR_INVALID_HANDLE;
}

}  // namespace platform::sim
