#include "uninstall/names.h"

#include <algorithm>

#include "config/code_page.h"

namespace uninstall {

bool ContainsName(const std::vector<std::string>& names, const std::string& name) {
  return std::any_of(names.begin(), names.end(),
                     [&](const std::string& listed) { return config::SameName(listed, name); });
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
