#include "install/spooler_keys.h"

#include "config/install_types.h"

namespace install {

std::string MonitorKeyPath(const char* monitorName) {
  return std::string("SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\") +
         (monitorName == nullptr ? "" : monitorName);
}

std::string ProcessorKeyPath(int targetOs, const char* processorName) {
  const char* environment = targetOs == kTargetWin98Me ? "Windows 4.0" : "Windows NT x86";
  return std::string("SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\") + environment +
         "\\Print Processors\\" + (processorName == nullptr ? "" : processorName);
}

}  // namespace install
