#include "install/package_files.h"

#include <cctype>
#include <cstring>

#include "config/install_types.h"

namespace install {
namespace {

std::string Upper(std::string text) {
  for (char& c : text) {
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return text;
}

// Windows opens these names as devices whatever folder and extension go with them.
bool IsDeviceName(const char* name) {
  std::string stem(name, std::strcspn(name, "."));
  while (!stem.empty() && stem.back() == ' ') {
    stem.pop_back();
  }
  stem = Upper(stem);
  if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL" || stem == "CONIN$" ||
      stem == "CONOUT$") {
    return true;
  }
  return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
         stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

const char* PackageFolder(int targetOs) {
  switch (targetOs) {
    case kTargetWin98Me:
      return "\\win98\\";
    case kTargetServer2003:
      return "\\win2003\\";
    default:
      return "\\winnt\\";
  }
}

bool IsBareFileName(const char* name) {
  if (name == nullptr || name[0] == '\0' || std::strpbrk(name, "\\/:") != nullptr) {
    return false;
  }
  if (std::strspn(name, ". ") == std::strlen(name)) {
    return false;
  }
  return !IsDeviceName(name);
}

std::string AlternateName(const char* name) {
  return std::string("n") + (name == nullptr ? "" : name);
}

}  // namespace install
