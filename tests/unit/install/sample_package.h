// The sample driver package (package/ in the repository) laid out on a simulated machine as a
// user gets it: DRVCONFIG and the system folders in C:\PACKAGE, beside the program file. The
// simulated spooler learns which ports the package's monitors offer, and the system folder has
// the language monitor that Windows ships.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "install_fixture.h"

namespace install_test {

class SamplePackageTest : public InstallTest {
 protected:
  void SetUp() override { LayOutSamplePackage(); }

  void LayOutSamplePackage() {
    const std::filesystem::path root(SAMPLE_PACKAGE_DIR);
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
      machine.disk().WriteFile(std::string(kPackage) + "\\" + relative, bytes.str());
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
    machine.disk().WriteFile(SystemDir() + "\\pjlmon.dll", "the system's pjlmon.dll");
    // The NT family keeps its COM ports' settings here, with Windows' own defaults.
    machine.registry().PutValue(kNtPortsKey, "COM1:", REG_SZ, std::string("9600,n,8,1\0", 11));
  }

  static constexpr const char* kNtPortsKey =
      "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";

  // A file of the package's DRVCONFIG folder with one text replaced everywhere in it.
  void EditConfig(const std::string& file, const std::string& from, const std::string& to) {
    const std::string path = std::string(kPackage) + "\\DRVCONFIG\\" + file;
    std::string text = FileAt(path);
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
      text.replace(at, from.size(), to);
      at += to.size();
    }
    machine.disk().WriteFile(path, text);
  }
};

}  // namespace install_test
