#include "install/model_files.h"

#include <cstring>

#include "install/driver_file.h"
#include "install/unidrv_files.h"
#include "messages/message_box.h"
#include "resources/resource_ids.h"

namespace install {
namespace {

// An empty name cannot be installed. A name read as "0" (the key is missing) passes here and is
// passed over silently by PlaceDriverFile.
bool AnyRequiredNameEmpty(const config::DriverFileList& files) {
  for (const char* name : {files.driverPath, files.dataFile, files.configFile, files.helpFile}) {
    if (name[0] == '\0') {
      return true;
    }
  }
  return false;
}

void Place(platform::Platform& platform, const char* name, int destination, int targetOs) {
  PlaceDriverFile(platform, name, destination, targetOs, false);
}

// Windows 2000 and later look for the data file in the version-3 folder as well.
bool WantsDataFileInVersionFolder(int targetOs) {
  return targetOs == kTargetWin2000 || targetOs == kTargetWinXp || targetOs == kTargetServer2003;
}

}  // namespace

std::vector<FileCopy> NamedFileCopies(const config::DriverFileList& files, int targetOs) {
  std::vector<FileCopy> copies = {{files.configFile, kDriverDir, "ConfigFile"},
                                  {files.dataFile, kDriverDir, "DataFile"}};
  if (WantsDataFileInVersionFolder(targetOs)) {
    copies.push_back({files.dataFile, kDriverDirV3, "DataFile"});
  }
  copies.push_back({files.driverPath, kDriverDir, "DriverPath"});
  copies.push_back({files.helpFile, kDriverDir, "HelpFile"});
  if (files.oemPluginDll[0] != '0' && files.oemPluginIni[0] != '0') {
    copies.push_back({files.oemPluginDll, kDriverDir, "DataOemuniDLL"});
    copies.push_back({files.oemPluginIni, kDriverDir, "DataOemuniini"});
  }
  return copies;
}

bool PlaceModelFiles(platform::Platform& platform, config::DriverConfig& config,
                     const config::DriverFileList& files, const char* model, int targetOs,
                     int flavor) {
  if (AnyRequiredNameEmpty(files)) {
    messages::ShowMessage(platform, IDS_DRIVER_FILES_MISSING);
    return false;
  }
  for (const FileCopy& copy : NamedFileCopies(files, targetOs)) {
    Place(platform, copy.name, copy.destination, targetOs);
  }
  const bool universalDriver = config.Is2kDdkDriver(model, targetOs, flavor);
  EnsureUnidrvFiles(platform, targetOs, universalDriver);
  if (targetOs == kTargetWin98Me && std::strstr(model, "QRX-K810") != nullptr) {
    Place(platform, "DMCOLOR.DLL", kDriverDir, targetOs);
  }
  if (universalDriver) {
    if (files.resourceDll[0] == '\0') {
      messages::ShowMessage(platform, IDS_DRIVER_FILES_MISSING);
      return false;
    }
    Place(platform, files.resourceDll, kDriverDirV3, targetOs);
  }
  return true;
}

}  // namespace install
