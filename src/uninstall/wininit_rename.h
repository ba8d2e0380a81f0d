// WININIT.INI's [rename] section, which Windows 95/98/Me work through before they start: a
// "NUL=<short path>" line deletes the file. The line is added to the file's own text, every
// other byte kept as it was: other programs' pending renames are never read back through the
// profile calls (which stop at 32 KB and fold repeated keys).
#pragma once

#include <string>

namespace uninstall {

// The text with `line` added at the end of its [rename] section (which is added at the end
// when there is none), lines ended by CR LF.
std::string WithRenameLine(const std::string& text, const std::string& line);

}  // namespace uninstall
