// Lists of names as Windows compares them (config::SameName), and a printer's port list.
#pragma once

#include <string>
#include <vector>

#include "config/code_page.h"

namespace uninstall {

using config::SameName;
bool ContainsName(const std::vector<std::string>& names, const std::string& name);
// Adds the name unless the list holds it already.
void AddName(std::vector<std::string>& names, const std::string& name);

// The ports of a printer: its port text may list several, separated by commas.
std::vector<std::string> SplitPortList(const std::string& ports);

}  // namespace uninstall
