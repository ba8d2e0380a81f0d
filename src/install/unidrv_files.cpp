#include "install/unidrv_files.h"

#include <string>

#include "config/install_types.h"
#include "install/driver_file.h"
#include "install/package_files.h"
#include "messages/message_box.h"
#include "platform/file_exists.h"
#include "resources/resource_ids.h"

namespace install {
namespace {

// A system folder with a file name after it; false when the folder is not available or the
// path does not fit the path buffer.
bool FolderPath(UINT length, const char* folder, const char* tail, std::string& path) {
  if (length == 0 || length >= kPathSize) {
    return false;
  }
  path = std::string(folder) + tail;
  return FitsPathBuffer(path);
}

void EnsureWin98Files(platform::Platform& platform, int targetOs) {
  PlaceDriverFile(platform, "ICONLIB.DLL", kDriverDir, targetOs, false);

  char systemFolder[kPathSize] = {};
  std::string installed;
  if (!FolderPath(platform.files.GetSystemDirectoryA(systemFolder, kPathSize), systemFolder,
                  "\\UNIDRV.DLL", installed)) {
    messages::ShowMessage(platform, IDS_GET_SYSTEM_DIR_FAILED);
    return;
  }
  char windowsFolder[kPathSize] = {};
  std::string backup;
  if (!FolderPath(platform.files.GetWindowsDirectoryA(windowsFolder, kPathSize), windowsFolder,
                  "\\Sysbckup\\UNIDRV.DLL", backup)) {
    messages::ShowMessage(platform, IDS_GET_WINDOWS_DIR_FAILED);
    return;
  }

  if (platform::FileExists(platform.files, installed)) {
    return;
  }
  // The system keeps a copy of its own; the package's copy is the last resort. On Windows
  // 98/Me the printer-driver folder is the system folder.
  if (platform.files.CopyFileA(backup.c_str(), installed.c_str(), TRUE) == FALSE) {
    PlaceDriverFile(platform, "UNIDRV.DLL", kDriverDir, targetOs, false);
  }
}

}  // namespace

void EnsureUnidrvFiles(platform::Platform& platform, int targetOs, bool universalDriver) {
  if (targetOs == kTargetWin98Me) {
    EnsureWin98Files(platform, targetOs);
    return;
  }
  if (targetOs >= kTargetWin2000 && universalDriver) {
    for (const FileCopy& copy : UniversalDriverCopies()) {
      PlaceDriverFile(platform, copy.name, copy.destination, targetOs, false);
    }
  }
}

std::vector<FileCopy> UniversalDriverCopies() {
  return {{"UNIRES.DLL", kDriverDirV3, ""}, {"STDNAMES.GPD", kDriverDirV3, ""},
          {"TTFSUB.GPD", kDriverDirV3, ""}, {"TTFSUB.GPD", kDriverDir, ""},
          {"STDNAMES.GPD", kDriverDir, ""}, {"UNIRES.DLL", kDriverDir, ""}};
}

}  // namespace install
