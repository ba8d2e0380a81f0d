// Lays a driver package folder of the host (the repository's package/) out on a simulated
// machine as a user gets it: every file below it in C:\PACKAGE, beside the program file. The
// simulated spooler learns which ports the package's monitors offer, the system folder gets the
// language monitor that Windows ships, the monitors are loadable as the build makes them, and
// the NT family's Ports key holds Windows' defaults.
// Shared by the install-sequence tests and the native benchmark.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/sim/sim_machine.h"

namespace sample_package {

constexpr const char* kNtPortsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";

inline void LayOut(platform::sim::SimMachine& machine, const std::filesystem::path& root) {
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file() || entry.path().filename().string()[0] == '.') {
      continue;
    }
    std::string relative = std::filesystem::relative(entry.path(), root).string();
    for (char& c : relative) {
      c = c == '/' ? '\\' : c;
    }
    std::ifstream file(entry.path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    machine.disk().WriteFile("C:\\PACKAGE\\" + relative, bytes.str());
  }
  std::vector<std::string> serialPorts;
  for (int n = 1; n <= 8; ++n) {
    serialPorts.push_back("KSCOM" + std::to_string(n) + ":");
  }
  std::vector<std::string> usbPorts;
  for (const char* model : {"TP-R80", "TP-T58", "TP-L80"}) {
    for (int n = 1; n <= 4; ++n) {
      usbPorts.push_back(std::string("USB_") + model + "_" + std::to_string(n));
    }
  }
  for (const char* dll : {"TPSERMON.DLL", "TPSERM9X.DLL"}) {
    machine.spooler().SetMonitorPorts(dll, serialPorts);
  }
  for (const char* dll : {"TPUSBMON.DLL", "TPUSBM9X.DLL"}) {
    machine.spooler().SetMonitorPorts(dll, usbPorts);
  }
  // The repository's monitor files are placeholders; the build puts real monitors in their place.
  for (const char* folder : {"win98", "winnt", "win2003"}) {
    for (const char* dll :
         {"TPSERMON.DLL", "TPSERM9X.DLL", "TPUSBMON.DLL", "TPUSBM9X.DLL", "pjlmon.dll"}) {
      const std::string path = std::string("C:\\PACKAGE\\") + folder + "\\" + dll;
      if (machine.disk().Exists(path)) {
        machine.disk().WriteFile(path, platform::sim::PortMonitorImage(dll));
      }
    }
  }
  machine.disk().WriteFile(machine.systemDirectory() + "\\pjlmon.dll",
                           platform::sim::PortMonitorImage("pjlmon.dll"));
  machine.registry().PutValue(kNtPortsKey, "COM1:", REG_SZ, std::string("9600,n,8,1\0", 11));
}

}  // namespace sample_package
