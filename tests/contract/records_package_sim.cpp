#include <filesystem>
#include <fstream>
#include <sstream>

#include "contract_platform.h"
#include "platform/sim/sim_machine.h"
#include "records_package.h"

namespace contract {

// The simulated machine behind TestPlatform(): its program file lies in C:\PACKAGE.
platform::sim::SimMachine& SimulatedMachine();

bool LoadPackage(const char* hostFolder) {
  if (hostFolder == nullptr) {
    return false;
  }
  const std::filesystem::path folder = std::filesystem::path(hostFolder) / "DRVCONFIG";
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    std::ifstream file(entry.path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    SimulatedMachine().disk().WriteFile(
        "C:\\PACKAGE\\DRVCONFIG\\" + entry.path().filename().string(), bytes.str());
  }
  return !error;
}

}  // namespace contract
