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

void PlaceNamedFiles(platform::Platform& platform, const config::DriverFileList& files,
                     int targetOs) {
  Place(platform, files.configFile, kDriverDir, targetOs);
  Place(platform, files.dataFile, kDriverDir, targetOs);
  if (WantsDataFileInVersionFolder(targetOs)) {
    Place(platform, files.dataFile, kDriverDirV3, targetOs);
  }
  Place(platform, files.driverPath, kDriverDir, targetOs);
  Place(platform, files.helpFile, kDriverDir, targetOs);
  if (files.oemPluginDll[0] != '0' && files.oemPluginIni[0] != '0') {
    Place(platform, files.oemPluginDll, kDriverDir, targetOs);
    Place(platform, files.oemPluginIni, kDriverDir, targetOs);
  }
}

}  // namespace

bool PlaceModelFiles(platform::Platform& platform, config::DriverConfig& config,
                     const config::DriverFileList& files, const char* model, int targetOs,
                     int flavor) {
  if (AnyRequiredNameEmpty(files)) {
    messages::ShowMessage(platform, IDS_DRIVER_FILES_MISSING);
    return false;
  }
  PlaceNamedFiles(platform, files, targetOs);
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
