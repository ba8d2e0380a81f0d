#include "install/print_processor.h"

#include <cstring>
#include <string>

#include "install/driver_file.h"
#include "install/install_results.h"
#include "install/spooler_keys.h"
#include "install/windows_components.h"
#include "install/spooler_requests.h"
#include "messages/message_box.h"
#include "registry/registry_key.h"
#include "resources/resource_ids.h"

namespace install {
namespace {

// The system's standard processor: nothing of the package's to install.
constexpr const char* kSystemProcessor = "WinPrint";
// Gives the spooler time after adding the processor, before the next spooler request.
constexpr DWORD kAfterAddPause = 200;

}  // namespace

int CheckPrintProcessor(platform::Platform& platform, config::DriverConfig& config, int targetOs,
                        const char* processorName, const char* processorDll) {
  const auto packageVersion = static_cast<DWORD>(config.PackageDriverVersion());
  if (processorName == nullptr || std::strcmp(processorName, kSystemProcessor) == 0) {
    return 0;
  }
  const std::string keyPath = ProcessorKeyPath(targetOs, processorName);
  registry::RegistryKey key(platform.registry);
  if (key.Open(HKEY_LOCAL_MACHINE, keyPath.c_str())) {
    DWORD recorded = 0;
    const bool older = !key.QueryDword("DriverVersion", &recorded) || packageVersion > recorded;
    key.Close();
    return older ? kProcessorOlder : 0;
  }

  // Windows' own processors and files are never replaced or registered anew.
  if (IsWindowsOwnProcessor(processorName)) {
    return 0;
  }
  if (!IsPackageDllName(processorDll)) {
    messages::ShowMessage(platform, IDS_ADD_PROCESSOR_FAILED);
    return kProcessorAddFailed;
  }
  if (processorDll != nullptr && processorDll[0] != '\0') {
    PlaceDriverFile(platform, processorDll, kProcessorDir, targetOs, false);
  }
  // Every answer but 1 ends the installation, the tolerated ones too: the key was absent, so
  // the spooler's "already installed" means it does not agree with the registry.
  if (AddProcessor(platform, processorName, processorDll, targetOs) != kSucceeded) {
    messages::ShowMessage(platform, IDS_ADD_PROCESSOR_FAILED);
    return kProcessorAddFailed;
  }
  if (key.Open(HKEY_LOCAL_MACHINE, keyPath.c_str())) {
    key.SetDword("DriverVersion", packageVersion);
  }
  platform.system.Sleep(kAfterAddPause);
  key.Close();
  return 0;
}

}  // namespace install
