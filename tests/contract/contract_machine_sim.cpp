// The contract tests' machine access, against the simulated Windows.
#include <cctype>
#include <string>
#include <vector>

#include "contract_machine.h"
#include "platform/sim/sim_machine.h"

namespace contract {

// The simulated machine behind TestPlatform().
platform::sim::SimMachine& SimulatedMachine();

namespace {

std::string Upper(std::string text) {
  for (char& c : text) {
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return text;
}

}  // namespace

std::string FreshFolder(const std::string& name) {
  const std::string folder = "C:\\contract\\" + name;
  SimulatedMachine().disk().MakeDirectory(folder);
  return folder;
}

void WriteTestFile(const std::string& path, const std::string& bytes) {
  SimulatedMachine().disk().WriteFile(path, bytes);
}

std::string ReadTestFile(const std::string& path) {
  const auto bytes = SimulatedMachine().disk().ReadFile(path);
  return bytes ? *bytes : "<missing>";
}

// The simulation cannot load a DLL: it stands for the built one with a file of that name (a
// port monitor's naming its entry point), and tells the simulated spooler which ports the
// package's monitors offer once they are added.
std::string PackageDll(const std::string& fileName) {
  const std::string path = "C:\\contract\\packagedlls\\" + fileName;
  platform::sim::SimMachine& machine = SimulatedMachine();
  const bool monitor = Upper(fileName) == "TPSERMON.DLL" || Upper(fileName) == "TPUSBMON.DLL";
  if (!machine.disk().Exists(path)) {
    machine.disk().WriteFile(path, monitor
                                       ? platform::sim::PortMonitorImage("stand-in for " + fileName)
                                       : "MZ stand-in for " + fileName);
  }
  if (Upper(fileName) == "TPSERMON.DLL") {
    std::vector<std::string> ports;
    for (int n = 1; n <= 8; ++n) {
      ports.push_back("KSCOM" + std::to_string(n) + ":");
    }
    machine.spooler().SetMonitorPorts(fileName, ports);
  }
  return path;
}

std::string SpoolerEnvironment() {
  return "Windows NT x86";
}

std::string SpoolerFolder() {
  return "w32x86";
}

std::string DefaultPrinter() {
  return SimulatedMachine().spooler().defaultPrinter();
}

bool BeginWindows98() {
  SimulatedMachine().SetVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10);
  return true;
}

void EndWindows98() {
  SimulatedMachine().SetVersion(VER_PLATFORM_WIN32_NT, 5, 1);
}

bool WineRunsAsRoot() {
  return false;
}

}  // namespace contract
