// The simulated machine's disk: files and folders held in memory under Windows paths, matched
// without regard to case as Windows does ("C:\Setup\DRVCONFIG\setup_Lable.ini" finds
// setup_lable.ini). Files carry attributes and can be locked to simulate a file in use.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/win_types.h"

namespace platform::sim {

class SimFileTree {
 public:
  // Writes a file, creating its folders.
  void WriteFile(const std::string& path, std::string bytes);
  std::optional<std::string> ReadFile(const std::string& path) const;
  bool Exists(const std::string& path) const;
  // Changes whenever the file is written or removed (0: no such file), so that a reader can
  // keep what it made of the bytes without comparing them.
  std::uint64_t Revision(const std::string& path) const;
  // Changes whenever any file is written or removed.
  std::uint64_t Revision() const { return lastRevision_; }
  bool Remove(const std::string& path);
  void MakeDirectory(const std::string& path);
  bool DirectoryExists(const std::string& path) const;

  DWORD Attributes(const std::string& path) const;
  bool SetAttributes(const std::string& path, DWORD attributes);
  // A copy onto a locked file fails with `error` (ERROR_SHARING_VIOLATION: the file is in use;
  // ERROR_ACCESS_DENIED: protected); 0 unlocks.
  void Lock(const std::string& path, DWORD error);
  DWORD LockError(const std::string& path) const;

  // Every file path, as first written, in case-insensitive order.
  std::map<std::string, std::string> Snapshot() const;
  // The names of the files in a folder (not in its subfolders), as first written.
  std::vector<std::string> FileNames(const std::string& folder) const;

  // The folder part of a path ("C:\A\b.dll" -> "C:\A").
  static std::string Parent(const std::string& path);
  static std::string Key(const std::string& path);

 private:
  struct Entry {
    std::string path;  // as first written
    std::string bytes;
    DWORD attributes = FILE_ATTRIBUTE_ARCHIVE;
    std::uint64_t revision = 0;
  };
  std::map<std::string, Entry> files_;
  std::set<std::string> directories_;
  std::map<std::string, DWORD> locks_;
  std::uint64_t lastRevision_ = 0;
};

}  // namespace platform::sim
