// The universal-driver dependent list: a multi-string that never leaves its buffer, is always
// closed by two terminators and holds no empty entry.
#include <cstring>
#include <memory>
#include <string>

#include "config/dependent_files.h"
#include "fuzz/fuzz_target.h"

FUZZ_TARGET(dependent_list) {
  fuzz::Input input(data, size);
  const std::size_t bufferSize = input.Byte() + 2;
  const std::string dataFile = input.Text();
  const std::string oemDll = input.Text();
  const std::string oemIni = input.Rest();
  auto list = std::make_unique<char[]>(bufferSize);
  config::BuildUnidrvDependents(dataFile.c_str(), oemDll.c_str(), oemIni.c_str(), list.get(),
                                bufferSize);
  // Walk the entries: each one non-empty, the list ends at an empty entry with a further NUL.
  std::size_t at = 0;
  while (at < bufferSize && list[at] != '\0') {
    const void* end = std::memchr(list.get() + at, '\0', bufferSize - at);
    FUZZ_CHECK(end != nullptr);
    at = static_cast<std::size_t>(static_cast<const char*>(end) - list.get()) + 1;
  }
  FUZZ_CHECK(at + 1 < bufferSize);
  FUZZ_CHECK(list[at] == '\0' && list[at + 1] == '\0');
  return 0;
}
