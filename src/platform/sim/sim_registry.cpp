#include "platform/sim/sim_registry.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <iterator>

#include "platform/sim/ini_document.h"

namespace platform::sim {
namespace {

std::string Join(const std::string& parent, const std::string& child) {
  return parent.empty() ? child : parent + "\\" + child;
}

bool StartsWithBackslash(LPCSTR subKey) {
  return subKey != nullptr && subKey[0] == '\\';
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

void SimRegistry::RemoveKey(const std::string& keyPath) {
  const std::vector<std::string> parts = Split(keyPath);
  if (parts.empty()) {
    return;
  }
  std::string parentPath;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    parentPath = Join(parentPath, parts[i]);
  }
  Key* parent = Find(*root_, parentPath);
  if (parent == nullptr) {
    return;
  }
  const auto it = parent->children.find(UpperCase(parts.back()));
  if (it == parent->children.end()) {
    return;
  }
  // Handles still open on the removed keys answer ERROR_INVALID_HANDLE from now on, but must
  // still be closed.
  const std::string removed = UpperCase(it->second->path);
  for (auto& [id, key] : handles_) {
    if (key != nullptr &&
        (UpperCase(key->path) == removed || UpperCase(key->path).rfind(removed + "\\", 0) == 0)) {
      key = nullptr;
    }
  }
  parent->children.erase(it);
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

// test_reg_open_key in Wine's advapi32/tests/registry.c: an unknown root leaves the result
// alone, a path that begins with a backslash is refused, and a missing key sets the result to
// NULL. No result pointer gives 87 as the test records for RegOpenKeyA (it records nothing
// for RegOpenKeyExA).
LONG SimRegistry::RegOpenKeyExA(HKEY root, LPCSTR subKey, DWORD /*options*/, REGSAM /*access*/,
                                PHKEY result) {
  if (result == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  Key* parent = Resolve(root);
  if (parent == nullptr) {
    return ERROR_INVALID_HANDLE;
  }
  if (StartsWithBackslash(subKey)) {
    return ERROR_BAD_PATHNAME;
  }
  const std::string sub = subKey == nullptr ? "" : subKey;
  Key* key = Find(*parent, sub);
  if (key == nullptr) {
    *result = nullptr;
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
  // test_reg_create_key in Wine's advapi32/tests/registry.c: no result pointer gives
  // ERROR_BADKEY, a path that begins with a backslash is refused.
  if (result == nullptr) {
    return ERROR_BADKEY;
  }
  Key* parent = Resolve(root);
  if (parent == nullptr || subKey == nullptr) {
    return ERROR_INVALID_HANDLE;
  }
  if (StartsWithBackslash(subKey)) {
    return ERROR_BAD_PATHNAME;
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
  if (data != nullptr && dataSize == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  const Value* value = FindValue(*key, valueName);
  if (value == nullptr) {
    // test_query_value_ex: asked for the size only, the size becomes 0; with a buffer it is
    // left alone.
    if (data == nullptr && dataSize != nullptr) {
      *dataSize = 0;
    }
    return ERROR_FILE_NOT_FOUND;
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
    CopyData(*value, data, *dataSize);
  }
  if (dataSize != nullptr) {
    *dataSize = size;
  }
  return ERROR_SUCCESS;
}

// test_string_termination in Wine's advapi32/tests/registry.c: a REG_SZ value stored without
// its terminator gets one in the caller's buffer when there is room; the size stays the
// stored one.
void SimRegistry::CopyData(const Value& value, LPBYTE data, DWORD room) {
  const size_t size = value.data.size();
  std::memcpy(data, value.data.data(), size);
  if (value.type == REG_SZ && size > 0 && value.data.back() != '\0' && room > size) {
    data[size] = 0;
  }
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
  // test_string_termination and test_set_value in Wine's advapi32/tests/registry.c: REG_SZ
  // bytes that end without a NUL take the NUL that follows them in the caller's memory.
  DWORD count = dataSize;
  if (type == REG_SZ && count > 0 && data[count - 1] != 0 && data[count] == 0) {
    ++count;
  }
  const std::string bytes(reinterpret_cast<const char*>(data), count);
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
  // test_enum_value in Wine's advapi32/tests/registry.c: the type and the data size are set
  // whatever overflows. A name that does not fit leaves the name and its size alone and copies
  // no data, but writes a NUL where a REG_SZ value's data would end, as Windows XP does (later
  // versions copy part of the name and the data). Data that does not fit leaves the name, its
  // size and the data alone.
  const Value& value = key->values[index];
  const auto size = static_cast<DWORD>(value.data.size());
  if (type != nullptr) {
    *type = value.type;
  }
  const bool nameFits = value.name.size() + 1 <= *valueNameSize;
  const bool dataFits = data == nullptr || dataSize == nullptr || *dataSize >= size;
  const DWORD room = dataSize == nullptr ? 0 : *dataSize;
  if (dataSize != nullptr) {
    *dataSize = size;
  }
  if (!nameFits) {
    if (data != nullptr && value.type == REG_SZ && room > size) {
      data[size] = 0;
    }
    return ERROR_MORE_DATA;
  }
  if (!dataFits) {
    return ERROR_MORE_DATA;
  }
  std::memcpy(valueName, value.name.c_str(), value.name.size() + 1);
  *valueNameSize = static_cast<DWORD>(value.name.size());
  if (data != nullptr && dataSize != nullptr) {
    CopyData(value, data, room);
  }
  return ERROR_SUCCESS;
}

// test_delete_value in Wine's advapi32/tests/registry.c: a value that is not there gives
// ERROR_FILE_NOT_FOUND.
LONG SimRegistry::RegDeleteValueA(HKEY hkey, LPCSTR valueName) {
  Key* key = Resolve(hkey);
  if (key == nullptr) {
    return ERROR_INVALID_HANDLE;
  }
  if (readOnly_.count(UpperCase(key->path)) != 0) {
    return ERROR_ACCESS_DENIED;
  }
  const std::string wanted = valueName == nullptr ? "" : valueName;
  const auto it = std::find_if(key->values.begin(), key->values.end(),
                               [&](const Value& v) { return EqualsIgnoringCase(v.name, wanted); });
  if (it == key->values.end()) {
    return ERROR_FILE_NOT_FOUND;
  }
  key->values.erase(it);
  return ERROR_SUCCESS;
}

// No test records RegEnumKeyA's answers: ERROR_MORE_DATA for a name that does not fit and
// ERROR_NO_MORE_ITEMS past the last subkey are assumptions, and so is the name order.
LONG SimRegistry::RegEnumKeyA(HKEY hkey, DWORD index, LPSTR name, DWORD nameSize) {
  Key* key = Resolve(hkey);
  if (key == nullptr) {
    return ERROR_INVALID_HANDLE;
  }
  if (index >= key->children.size()) {
    return ERROR_NO_MORE_ITEMS;
  }
  auto it = key->children.begin();
  std::advance(it, index);
  const std::vector<std::string> parts = Split(it->second->path);
  const std::string child = parts.empty() ? std::string() : parts.back();
  if (name == nullptr || child.size() + 1 > nameSize) {
    return ERROR_MORE_DATA;
  }
  std::memcpy(name, child.c_str(), child.size() + 1);
  return ERROR_SUCCESS;
}

// test_reg_delete_key in Wine's advapi32/tests/registry.c: a key with a subkey is refused with
// ERROR_ACCESS_DENIED (the NT family's answer, which the simulation gives on every version);
// a missing key is ERROR_FILE_NOT_FOUND.
LONG SimRegistry::RegDeleteKeyA(HKEY root, LPCSTR subKey) {
  Key* parent = Resolve(root);
  if (parent == nullptr) {
    return ERROR_INVALID_HANDLE;
  }
  Key* key = Find(*parent, subKey == nullptr ? "" : subKey);
  if (key == nullptr || key == parent) {
    return key == nullptr ? ERROR_FILE_NOT_FOUND : ERROR_ACCESS_DENIED;
  }
  if (!key->children.empty() || readOnly_.count(UpperCase(key->path)) != 0) {
    return ERROR_ACCESS_DENIED;
  }
  RemoveKey(key->path);
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
