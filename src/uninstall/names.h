// Names as Windows compares printers, drivers, monitors, processors, ports, registry values and
// file names: without regard to the case of ASCII letters. The second byte of a double-byte
// character (code page 936) is compared as it is, since it may look like an ASCII letter.
#pragma once

#include <string>
#include <vector>

namespace uninstall {

bool SameName(const std::string& a, const std::string& b);
bool ContainsName(const std::vector<std::string>& names, const std::string& name);
// Adds the name unless the list holds it already.
void AddName(std::vector<std::string>& names, const std::string& name);

// The ports of a printer: its port text may list several, separated by commas.
std::vector<std::string> SplitPortList(const std::string& ports);

}  // namespace uninstall
