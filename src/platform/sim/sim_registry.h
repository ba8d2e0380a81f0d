// The simulated registry: a tree of keys under HKEY_LOCAL_MACHINE with typed values, handles
// that must be closed, value enumeration in creation order, and injected faults (access
// denied) for tests. The calls answer as Wine's advapi32/tests/registry.c records Windows
// answering (sim_registry.cpp names the test); that Windows enumerates values in creation
// order is an assumption no test records.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/registry_service.h"

namespace platform::sim {

class SimRegistry final : public RegistryService {
 public:
  struct Value {
    std::string name;
    DWORD type;
    std::string data;
  };

  SimRegistry();
  ~SimRegistry() override;

  // Scene: keys and values as a test wants them, by full path below HKEY_LOCAL_MACHINE.
  void PutValue(const std::string& keyPath, const std::string& name, DWORD type,
                const std::string& data);
  void PutDword(const std::string& keyPath, const std::string& name, DWORD value);
  // Removes a key with everything below it, as the spooler does when it forgets a component.
  void RemoveKey(const std::string& keyPath);
  // Opening or creating this key (or one below it) fails with ERROR_ACCESS_DENIED.
  void DenyAccess(const std::string& keyPath) { denied_.insert(Normalise(keyPath)); }
  // Writing a value into this key fails with ERROR_ACCESS_DENIED.
  void DenyWrites(const std::string& keyPath) { readOnly_.insert(Normalise(keyPath)); }

  // What is there.
  bool KeyExists(const std::string& keyPath) const;
  std::optional<Value> GetValue(const std::string& keyPath, const std::string& name) const;
  std::optional<DWORD> GetDword(const std::string& keyPath, const std::string& name) const;
  std::vector<std::string> ValueNames(const std::string& keyPath) const;
  std::vector<std::string> SubKeyNames(const std::string& keyPath) const;
  // Handles opened or created and not yet closed: a leak is a fault.
  size_t openHandleCount() const { return handles_.size(); }

  LONG RegOpenKeyExA(HKEY root, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result) override;
  LONG RegCreateKeyExA(HKEY root, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options,
                       REGSAM access, void* security, PHKEY result, LPDWORD disposition) override;
  LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                        LPDWORD dataSize) override;
  LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                      DWORD dataSize) override;
  LONG RegEnumValueA(HKEY key, DWORD index, LPSTR valueName, LPDWORD valueNameSize,
                     LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataSize) override;
  LONG RegDeleteValueA(HKEY key, LPCSTR valueName) override;
  LONG RegEnumKeyA(HKEY key, DWORD index, LPSTR name, DWORD nameSize) override;
  LONG RegDeleteKeyA(HKEY root, LPCSTR subKey) override;
  LONG RegCloseKey(HKEY key) override;

 private:
  struct Key {
    std::string path;                                      // normalised, "" for the root
    std::map<std::string, std::unique_ptr<Key>> children;  // by upper-case name
    std::vector<Value> values;                             // in creation order
  };

  static std::string Normalise(const std::string& path);
  static std::vector<std::string> Split(const std::string& path);
  bool IsDenied(const std::string& path) const;
  Key* Resolve(HKEY key) const;
  Key* Find(Key& from, const std::string& subKey) const;
  Key* FindOrCreate(const std::string& path, bool* created);
  Value* FindValue(Key& key, const char* name) const;
  static void CopyData(const Value& value, LPBYTE data, DWORD room);
  HKEY NewHandle(Key* key);

  std::unique_ptr<Key> root_;
  std::map<std::uintptr_t, Key*> handles_;
  std::uintptr_t nextHandle_ = 0x1000;
  std::set<std::string> denied_;
  std::set<std::string> readOnly_;
};

}  // namespace platform::sim
