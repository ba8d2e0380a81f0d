// The simulated machine's disk: files held in memory under Windows paths, matched without
// regard to case as Windows does ("C:\Setup\DRVCONFIG\setup_Lable.ini" finds setup_lable.ini).
#pragma once

#include <map>
#include <optional>
#include <string>

namespace platform::sim {

class SimFileTree {
 public:
  void WriteFile(const std::string& path, std::string bytes);
  std::optional<std::string> ReadFile(const std::string& path) const;
  bool Exists(const std::string& path) const;
  bool Remove(const std::string& path);
  // Every file path, as first written, in case-insensitive order.
  std::map<std::string, std::string> Snapshot() const;

 private:
  struct Entry {
    std::string path;  // as first written
    std::string bytes;
  };
  static std::string Key(const std::string& path);
  std::map<std::string, Entry> files_;
};

}  // namespace platform::sim
