#include "config/dependent_files.h"

#include <cstring>

namespace config {

bool BuildUnidrvDependents(const char* dataFile, const char* oemDll, const char* oemIni, char* list,
                           std::size_t size) {
  if (size < 2) {
    return false;
  }
  std::memset(list, 0, size);
  std::size_t used = 0;
  bool complete = true;
  const auto append = [&](const char* entry) {
    const std::size_t length = entry == nullptr ? 0 : std::strlen(entry);
    if (length == 0 || !complete) {
      return;
    }
    // The entry, its terminator and the two closing terminators.
    if (used + length + 1 + 2 > size) {
      complete = false;
      return;
    }
    std::memcpy(list + used, entry, length + 1);
    used += length + 1;
  };
  const auto appendGiven = [&](const char* entry) {
    if (entry != nullptr && entry[0] != '0') {
      append(entry);
    }
  };
  append(dataFile);
  append("TTFSUB.GPD");
  append("UNIRES.DLL");
  append("STDNAMES.GPD");
  appendGiven(oemDll);
  appendGiven(oemIni);
  return complete;
}

}  // namespace config
