// The log file of a run without windows: each line stamped with the local time and written in
// UTF-8, converted from code page 936 whatever the system's ANSI code page (the program's texts
// and the package's model names are in 936), and flushed at once so that a log survives a crash or
// a restart. A run appends to the file.
#pragma once

#include <cstdio>
#include <string>

#include "unattended/run_log.h"

namespace app::win32 {

class FileLog final : public unattended::RunLog {
 public:
  // `path` empty: Setup.log in the user's temporary folder.
  explicit FileLog(const std::string& path);
  FileLog(const FileLog&) = delete;
  FileLog& operator=(const FileLog&) = delete;
  ~FileLog() override;

  bool isOpen() const { return file_ != nullptr; }
  const std::string& path() const { return path_; }
  void Line(const std::string& text) override;

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
};

// The code page the program's texts are written in.
constexpr unsigned kProgramCodePage = 936;

// The code page 936 text in UTF-8.
std::string Gbk936ToUtf8(const std::string& text);

}  // namespace app::win32
