// The port monitors and print processors Windows itself ships (98/Me, NT 4, 2000, XP, Server
// 2003), with their DLLs. The installer never registers a monitor or processor with one of
// these DLLs, and a removal never deletes one of them or their files, whatever a package's INI
// files say.
#pragma once

#include <string_view>

namespace install {

// Bare file or component names as Windows compares them: without regard to the case of ASCII
// letters, and without the trailing dots and blanks Windows drops from a file name.
bool SameFileName(std::string_view a, std::string_view b);

bool IsWindowsOwnFile(std::string_view fileName);
bool IsWindowsOwnMonitor(std::string_view monitorName);
bool IsWindowsOwnProcessor(std::string_view processorName);

// A DLL name the installer may register a monitor or processor with: a bare file name (the
// rule the copy applies) that is not one of Windows' own.
bool IsPackageDllName(const char* name);

}  // namespace install
