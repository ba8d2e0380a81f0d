#include "platform/sim/sim_file_tree.h"

#include <cctype>

namespace platform::sim {

std::string SimFileTree::Key(const std::string& path) {
  std::string key;
  key.reserve(path.size());
  for (char c : path) {
    const char folded =
        (c == '/') ? '\\' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    // Windows treats a run of separators like one.
    if (folded == '\\' && !key.empty() && key.back() == '\\') {
      continue;
    }
    key.push_back(folded);
  }
  while (key.size() > 3 && key.back() == '\\') {
    key.pop_back();
  }
  return key;
}

std::string SimFileTree::Parent(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

void SimFileTree::MakeDirectory(const std::string& path) {
  for (std::string folder = path; !folder.empty() && folder.size() > 2; folder = Parent(folder)) {
    directories_.insert(Key(folder));
  }
}

bool SimFileTree::DirectoryExists(const std::string& path) const {
  const std::string key = Key(path);
  return directories_.count(key) != 0 || (key.size() == 2 && key[1] == ':');
}

void SimFileTree::WriteFile(const std::string& path, std::string bytes) {
  MakeDirectory(Parent(path));
  auto [it, inserted] = files_.try_emplace(Key(path), Entry{path, {}});
  it->second.bytes = std::move(bytes);
  it->second.revision = ++lastRevision_;
}

std::optional<std::string> SimFileTree::ReadFile(const std::string& path) const {
  const auto it = files_.find(Key(path));
  if (it == files_.end()) {
    return std::nullopt;
  }
  return it->second.bytes;
}

bool SimFileTree::Exists(const std::string& path) const {
  return files_.count(Key(path)) != 0;
}

std::uint64_t SimFileTree::Revision(const std::string& path) const {
  const auto it = files_.find(Key(path));
  return it == files_.end() ? 0 : it->second.revision;
}

bool SimFileTree::Remove(const std::string& path) {
  ++lastRevision_;
  return files_.erase(Key(path)) != 0;
}

DWORD SimFileTree::Attributes(const std::string& path) const {
  const auto it = files_.find(Key(path));
  return it == files_.end() ? 0 : it->second.attributes;
}

bool SimFileTree::SetAttributes(const std::string& path, DWORD attributes) {
  const auto it = files_.find(Key(path));
  if (it == files_.end()) {
    return false;
  }
  it->second.attributes = attributes;
  return true;
}

void SimFileTree::Lock(const std::string& path, DWORD error) {
  if (error == 0) {
    locks_.erase(Key(path));
  } else {
    locks_[Key(path)] = error;
  }
}

DWORD SimFileTree::LockError(const std::string& path) const {
  const auto it = locks_.find(Key(path));
  return it == locks_.end() ? 0 : it->second;
}

std::map<std::string, std::string> SimFileTree::Snapshot() const {
  std::map<std::string, std::string> all;
  for (const auto& [key, entry] : files_) {
    all.emplace(entry.path, entry.bytes);
  }
  return all;
}

std::vector<std::string> SimFileTree::FileNames(const std::string& folder) const {
  const std::string key = Key(folder);
  std::vector<std::string> names;
  for (const auto& [path, entry] : files_) {
    if (Key(Parent(path)) == key) {
      names.push_back(entry.path.substr(entry.path.find_last_of("\\/") + 1));
    }
  }
  return names;
}

}  // namespace platform::sim
