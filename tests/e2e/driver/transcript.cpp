#include "transcript.h"

namespace e2e {

Transcript::~Transcript() {
  if (file_ != nullptr) {
    std::fclose(file_);
  }
}

bool Transcript::Open(const std::wstring& path) {
  file_ = ::_wfopen(path.c_str(), L"wb");
  return file_ != nullptr;
}

void Transcript::Line(const char* tag, const std::string& text) {
  const std::string line = std::string(tag) + " " + text + "\n";
  if (file_ != nullptr) {
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fflush(file_);
  }
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fflush(stdout);
}

}  // namespace e2e
