// The driver's record of a run: one UTF-8 line per step or event, flushed at once so that the
// runner can read what happened even when the driver itself is killed.
#pragma once

#include <cstdio>
#include <string>

namespace e2e {

class Transcript {
 public:
  Transcript() = default;
  Transcript(const Transcript&) = delete;
  Transcript& operator=(const Transcript&) = delete;
  ~Transcript();

  bool Open(const std::wstring& path);
  // Writes "<tag> <text>" to the file and to standard output.
  void Line(const char* tag, const std::string& text);

 private:
  FILE* file_ = nullptr;
};

}  // namespace e2e
