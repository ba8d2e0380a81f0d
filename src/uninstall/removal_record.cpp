#include "uninstall/removal_record.h"

#include <cstring>

#include "registry/registry_key.h"

namespace uninstall {
namespace {

constexpr DWORD kValueNameSize = 1024;

struct Kind {
  const char* prefix;
  std::vector<std::string> RemovalList::*names;
};

constexpr Kind kKinds[] = {
    {"printer:", &RemovalList::printers},     {"driver:", &RemovalList::drivers},
    {"record:", &RemovalList::records},       {"monitor:", &RemovalList::monitors},
    {"processor:", &RemovalList::processors}, {"file:", &RemovalList::files}};

// Deletes the key when it holds neither values nor subkeys (Windows 95/98/Me would delete a
// whole tree).
bool DeleteIfEmpty(platform::RegistryService& registry, const std::string& path) {
  registry::RegistryKey key(registry);
  if (!key.Open(HKEY_LOCAL_MACHINE, path.c_str())) {
    return false;
  }
  char name[kValueNameSize] = {};
  DWORD size = sizeof(name);
  DWORD type = 0;
  const bool empty =
      key.EnumValue(0, name, &size, &type) == ERROR_NO_MORE_ITEMS &&
      registry.RegEnumKeyA(key.handle(), 0, name, sizeof(name)) == ERROR_NO_MORE_ITEMS;
  key.Close();
  return empty && registry.RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str()) == ERROR_SUCCESS;
}

}  // namespace

RemovalList RemovalRecord::Read() const {
  RemovalList list;
  registry::RegistryKey key(registry_);
  if (!key.Open(HKEY_LOCAL_MACHINE, path_.c_str())) {
    return list;
  }
  for (const std::string& entry : key.ValueNames(kValueNameSize)) {
    for (const Kind& kind : kKinds) {
      const std::string prefix = kind.prefix;
      if (entry.compare(0, prefix.size(), prefix) == 0 && entry.size() > prefix.size()) {
        (list.*kind.names).push_back(entry.substr(prefix.size()));
      }
    }
  }
  return list;
}

bool RemovalRecord::Write(const RemovalList& list) {
  registry::RegistryKey key(registry_);
  if (!key.OpenOrCreate(HKEY_LOCAL_MACHINE, path_.c_str())) {
    return false;
  }
  for (const Kind& kind : kKinds) {
    for (const std::string& name : list.*kind.names) {
      if (!key.SetString((kind.prefix + name).c_str(), name.c_str())) {
        return false;
      }
    }
  }
  return true;
}

void RemovalRecord::Clear(const RemovalList& gone) {
  registry::RegistryKey key(registry_);
  if (!key.Open(HKEY_LOCAL_MACHINE, path_.c_str())) {
    return;
  }
  for (const Kind& kind : kKinds) {
    for (const std::string& name : gone.*kind.names) {
      key.DeleteValue((kind.prefix + name).c_str());
    }
  }
  key.Close();
  // A finished removal leaves no trace, nor the installer's key when nothing else is in it.
  const std::string removals(kRemovalRecordKey, std::strlen(kRemovalRecordKey) - 1);
  if (DeleteIfEmpty(registry_, path_) && DeleteIfEmpty(registry_, removals)) {
    DeleteIfEmpty(registry_, removals.substr(0, removals.rfind('\\')));
  }
}

}  // namespace uninstall
