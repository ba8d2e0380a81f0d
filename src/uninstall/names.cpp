#include "uninstall/names.h"

#include <algorithm>

namespace uninstall {
namespace {

bool IsLeadByte(unsigned char c) {
  return c >= 0x81 && c <= 0xFE;
}

unsigned char Folded(unsigned char c) {
  return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

}  // namespace

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) {
    return false;
  }
  bool trailByte = false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (trailByte ? x != y : Folded(x) != Folded(y)) {
      return false;
    }
    trailByte = !trailByte && IsLeadByte(x);
  }
  return true;
}

bool ContainsName(const std::vector<std::string>& names, const std::string& name) {
  return std::any_of(names.begin(), names.end(),
                     [&](const std::string& listed) { return SameName(listed, name); });
}

void AddName(std::vector<std::string>& names, const std::string& name) {
  if (!ContainsName(names, name)) {
    names.push_back(name);
  }
}

std::vector<std::string> SplitPortList(const std::string& ports) {
  std::vector<std::string> list;
  size_t start = 0;
  while (start <= ports.size()) {
    const size_t comma = ports.find(',', start);
    const std::string port =
        ports.substr(start, comma == std::string::npos ? comma : comma - start);
    if (!port.empty()) {
      list.push_back(port);
    }
    if (comma == std::string::npos) {
      break;
    }
    start = comma + 1;
  }
  return list;
}

}  // namespace uninstall
