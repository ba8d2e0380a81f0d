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
  return key;
}

void SimFileTree::WriteFile(const std::string& path, std::string bytes) {
  auto [it, inserted] = files_.try_emplace(Key(path), Entry{path, {}});
  it->second.bytes = std::move(bytes);
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

bool SimFileTree::Remove(const std::string& path) {
  return files_.erase(Key(path)) != 0;
}

std::map<std::string, std::string> SimFileTree::Snapshot() const {
  std::map<std::string, std::string> all;
  for (const auto& [key, entry] : files_) {
    all.emplace(entry.path, entry.bytes);
  }
  return all;
}

}  // namespace platform::sim
