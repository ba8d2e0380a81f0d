#include "install/driver_file.h"

#include <string>

#include "install/install_results.h"
#include "install/package_files.h"
#include "messages/message_box.h"
#include "resources/resource_ids.h"

namespace install {
namespace {

// A folder query's answer is usable when it reported success and its text, terminator
// included, fit the path buffer.
bool FolderFits(UINT length) {
  return length != 0 && length < kPathSize;
}

// The destination folder of a code; false after showing the code's message.
bool DestinationFolder(platform::Platform& platform, int destination, std::string& folder) {
  char buffer[kPathSize] = {};
  DWORD needed = 0;
  bool obtained = false;
  unsigned failureMessage = IDS_BAD_DIRECTORY_TYPE;
  const char* suffix = "";
  switch (destination) {
    case kDriverDir:
    case kDriverDirV3:
      obtained =
          platform.spooler.GetPrinterDriverDirectoryA(
              nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(buffer), kPathSize, &needed) != FALSE;
      failureMessage = IDS_GET_DRIVER_DIR_FAILED;
      suffix = destination == kDriverDirV3 ? "\\3" : "";
      break;
    case kProcessorDir:
      obtained =
          platform.spooler.GetPrintProcessorDirectoryA(
              nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(buffer), kPathSize, &needed) != FALSE;
      failureMessage = IDS_GET_PROCESSOR_DIR_FAILED;
      break;
    case kSystemDir:
      obtained = FolderFits(platform.files.GetSystemDirectoryA(buffer, kPathSize));
      failureMessage = IDS_GET_SYSTEM_DIR_FAILED;
      break;
    case kInfDir:
      obtained = FolderFits(platform.files.GetWindowsDirectoryA(buffer, kPathSize));
      failureMessage = IDS_GET_WINDOWS_DIR_FAILED;
      suffix = "\\inf";
      break;
    default:
      break;
  }
  if (!obtained) {
    messages::ShowMessage(platform, failureMessage);
    return false;
  }
  buffer[kPathSize - 1] = '\0';
  folder = std::string(buffer) + suffix;
  return true;
}

}  // namespace

int PlaceDriverFile(platform::Platform& platform, const char* fileName, int destination,
                    int targetOs, bool alternateName) {
  // An empty name is no name, like a key the configuration lacks ("0").
  if (fileName == nullptr || fileName[0] == '\0' || fileName[0] == '0') {
    return kFailed;
  }
  if (!IsBareFileName(fileName)) {
    messages::ShowMessage(platform, IDS_COPY_FILE_FAILED);
    return kFailed;
  }
  std::string folder;
  if (!DestinationFolder(platform, destination, folder)) {
    return kFailed;
  }
  char current[kPathSize] = {};
  if (!FolderFits(platform.files.GetCurrentDirectoryA(kPathSize, current))) {
    messages::ShowMessage(platform, IDS_GET_CURRENT_DIR_FAILED);
    return kFailed;
  }
  current[kPathSize - 1] = '\0';

  const std::string source = std::string(current) + PackageFolder(targetOs) + fileName;
  const std::string target =
      folder + "\\" + (alternateName ? AlternateName(fileName) : std::string(fileName));
  if (!FitsPathBuffer(source) || !FitsPathBuffer(target)) {
    messages::ShowMessage(platform, IDS_COPY_FILE_FAILED);
    return kFailed;
  }

  // Clears a read-only, hidden or system attribute of an earlier copy; a file that does not
  // exist yet makes this fail, which is no error.
  platform.files.SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_ARCHIVE);
  if (platform.files.CopyFileA(source.c_str(), target.c_str(), FALSE) != FALSE) {
    return kSucceeded;
  }
  const DWORD error = platform.system.GetLastError();
  if (error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED) {
    return static_cast<int>(error);
  }
  messages::ShowMessage(platform, IDS_COPY_FILE_FAILED);
  return kFailed;
}

}  // namespace install
