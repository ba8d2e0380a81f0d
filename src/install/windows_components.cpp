#include "install/windows_components.h"

#include <algorithm>

#include "config/code_page.h"
#include "install/package_files.h"

namespace install {
namespace {

// Monitors: the local port (localspl.dll; localmon.dll on NT 4; spoolss.dll on 95/98/Me), the
// network ports (TCP/IP, LPR, AppleTalk, HP, Digital, Lexmark, LAN Manager), USB, fax and
// document imaging, the infrared port, and the language monitors Windows installs with its
// own drivers (PJL, Canon BJ).
constexpr std::string_view kMonitorFiles[] = {
    "localspl.dll", "localmon.dll", "spoolss.dll", "win32spl.dll", "tcpmon.dll",
    "tcpmib.dll",   "lprmon.dll",   "sfmmon.dll",  "hpmon.dll",    "decpsmon.dll",
    "lexmon.dll",   "lmmon.dll",    "usbmon.dll",  "fxsmon.dll",   "msfaxmon.dll",
    "mdimon.dll",   "irmon.dll",    "inetpp.dll",  "pjlmon.dll",   "cnbjmon.dll",
    "spool32.exe",  "spoolsv.exe",  "mspp32.dll",  "msnp32.dll",   "nwpp32.dll"};
constexpr std::string_view kProcessorFiles[] = {"winprint.dll", "sfmpsprt.dll", "localspl.dll"};

constexpr std::string_view kMonitors[] = {"Local Port",
                                          "Standard TCP/IP Port",
                                          "LPR Port",
                                          "AppleTalk Printing Devices",
                                          "Hewlett-Packard Network Port",
                                          "Digital Network Port",
                                          "Lexmark DLC Network Port",
                                          "Lexmark TCP/IP Network Port",
                                          "LAN Manager Printer Port",
                                          "USB Monitor",
                                          "Dynamic Print Monitor",
                                          "Windows NT Fax Monitor",
                                          "Microsoft Shared Fax Monitor",
                                          "Microsoft Document Imaging Writer Monitor",
                                          "Infrared Port",
                                          "PJL Language Monitor",
                                          "BJ Language Monitor"};
constexpr std::string_view kProcessors[] = {"WinPrint", "SFMPSPRT"};

std::string_view WithoutTrailingDotsAndBlanks(std::string_view name) {
  const size_t end = name.find_last_not_of(". ");
  return end == std::string_view::npos ? std::string_view() : name.substr(0, end + 1);
}

template <size_t N>
bool Listed(const std::string_view (&list)[N], std::string_view name) {
  return std::any_of(std::begin(list), std::end(list),
                     [&](std::string_view listed) { return SameFileName(listed, name); });
}

}  // namespace

bool SameFileName(std::string_view a, std::string_view b) {
  return config::SameName(WithoutTrailingDotsAndBlanks(a), WithoutTrailingDotsAndBlanks(b));
}

bool IsWindowsOwnFile(std::string_view fileName) {
  return Listed(kMonitorFiles, fileName) || Listed(kProcessorFiles, fileName);
}

bool IsWindowsOwnMonitor(std::string_view monitorName) {
  return Listed(kMonitors, monitorName);
}

bool IsWindowsOwnProcessor(std::string_view processorName) {
  return Listed(kProcessors, processorName);
}

bool IsPackageDllName(const char* name) {
  return IsBareFileName(name) && !IsWindowsOwnFile(name);
}

}  // namespace install
