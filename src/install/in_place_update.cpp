#include "install/in_place_update.h"

#include <string>

#include "install/driver_file.h"
#include "install/install_results.h"
#include "install/package_files.h"
#include "install/spooler_control.h"
#include "install/spooler_keys.h"
#include "messages/message_box.h"
#include "registry/registry_key.h"
#include "resources/resource_ids.h"

namespace install {
namespace {

constexpr DWORD kAfterStopPause = 500;
constexpr DWORD kAfterSecondStartPause = 1000;

// The pause between the two start requests: 2500 ms for Windows XP and Server 2003, 1000 ms for
// NT 4 and Windows 2000.
DWORD RestartPause(int targetOs) {
  return targetOs >= kTargetWinXp ? 2500 : 1000;
}

// NT family, a monitor: the DLL copied over the old one (the spooler is stopped, so it is not
// held). A failed copy has shown its message and does not stop the update; the old version
// stays recorded, so that the next installation tries again.
void ReplaceMonitor(platform::Platform& platform, registry::RegistryKey& key, int targetOs,
                    const config::MonitorRecord& monitor, std::int32_t version) {
  if (PlaceDriverFile(platform, monitor.pDLLName, kSystemDir, targetOs, false) != kSucceeded) {
    return;
  }
  if (key.Open(HKEY_LOCAL_MACHINE, MonitorKeyPath(monitor.pName).c_str())) {
    key.SetDword("DriverVersion", static_cast<DWORD>(version));
  }
}

// NT family, the processor: a plain copy into the processor folder obtained before the spooler
// was stopped. False after message 107 or 122.
bool ReplaceProcessor(platform::Platform& platform, registry::RegistryKey& key, int targetOs,
                      const std::string& processorFolder, const char* processorName,
                      const char* processorDll, std::int32_t packageVersion) {
  char current[kPathSize] = {};
  const DWORD length = platform.files.GetCurrentDirectoryA(kPathSize, current);
  if (length == 0 || length >= kPathSize) {
    messages::ShowMessage(platform, IDS_GET_CURRENT_DIR_FAILED);
    return false;
  }
  current[kPathSize - 1] = '\0';
  if (!IsBareFileName(processorDll)) {
    messages::ShowMessage(platform, IDS_COPY_FILE_FAILED);
    return false;
  }
  const std::string source = std::string(current) + PackageFolder(targetOs) + processorDll;
  const std::string target = processorFolder + "\\" + processorDll;
  if (!FitsPathBuffer(source) || !FitsPathBuffer(target) ||
      platform.files.CopyFileA(source.c_str(), target.c_str(), FALSE) == FALSE) {
    messages::ShowMessage(platform, IDS_COPY_FILE_FAILED);
    return false;
  }
  if (key.Open(HKEY_LOCAL_MACHINE, ProcessorKeyPath(targetOs, processorName).c_str())) {
    key.SetDword("DriverVersion", static_cast<DWORD>(packageVersion));
  }
  return true;
}

// Starts the stopped spooler and waits until it runs; false after "StartSpoolService error",
// with one more start request sent.
bool RestartSpooler(platform::Platform& platform, int targetOs) {
  StartSpooler(platform);
  platform.system.Sleep(RestartPause(targetOs));
  StartSpooler(platform);
  platform.system.Sleep(kAfterSecondStartPause);
  if (WaitSpoolerRunning(platform) == kFailed) {
    StartSpooler(platform);
    return false;
  }
  return true;
}

int UpdateWithSpoolerStopped(platform::Platform& platform, config::DriverConfig& config,
                             int updateFlags, int targetOs, const char* processorName,
                             const char* processorDll, std::int32_t packageVersion) {
  std::string processorFolder;
  if ((updateFlags & kProcessorOlder) != 0) {
    char buffer[kPathSize] = {};
    DWORD needed = 0;
    if (platform.spooler.GetPrintProcessorDirectoryA(
            nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(buffer), kPathSize, &needed) == FALSE) {
      messages::ShowMessage(platform, IDS_GET_PROCESSOR_DIR_FAILED);
      return kFailed;
    }
    buffer[kPathSize - 1] = '\0';
    processorFolder = buffer;
  }

  StopSpooler(platform);
  platform.system.Sleep(kAfterStopPause);

  registry::RegistryKey key(platform.registry);
  bool replaced = true;
  if ((updateFlags & (kSerialMonitorOlder | kUsbMonitorOlder)) != 0) {
    config::PortMonitorSet set{};
    config.ReadPortMonitorSet(targetOs, set);
    if ((updateFlags & kSerialMonitorOlder) != 0) {
      ReplaceMonitor(platform, key, targetOs, set.serialMonitor, set.serialMonitorVersion);
    } else {
      ReplaceMonitor(platform, key, targetOs, set.usbMonitor, set.usbMonitorVersion);
    }
  } else if ((updateFlags & kProcessorOlder) != 0) {
    replaced = ReplaceProcessor(platform, key, targetOs, processorFolder, processorName,
                                processorDll, packageVersion);
  }
  key.Close();
  // A failed replacement ends the installation, but never leaves the machine without its
  // print spooler: the restart is the same either way.
  const bool running = RestartSpooler(platform, targetOs);
  return replaced && running ? kSucceeded : kFailed;
}

// Windows 98/Me: how placing a file beside one the spooler may hold ended.
enum class Placement {
  kPlaced,     // copied; `registered` names the file written
  kNotPlaced,  // the copy failed for another reason (its message has been shown)
  kBothHeld,   // the file and its alternate are both held
};

// Places the file, under the alternate name when the original is held.
Placement PlaceBesideHeldFile(platform::Platform& platform, const char* dll, int destination,
                              int targetOs, std::string& registered) {
  int result = PlaceDriverFile(platform, dll, destination, targetOs, false);
  registered = dll == nullptr ? "" : dll;
  if (IsLockedResult(result)) {
    result = PlaceDriverFile(platform, dll, destination, targetOs, true);
    if (IsLockedResult(result)) {
      return Placement::kBothHeld;
    }
    registered = AlternateName(dll);
  }
  return result == kSucceeded ? Placement::kPlaced : Placement::kNotPlaced;
}

// Points the key at the file really written, with its version. A file that could not be
// placed leaves "Driver" and the old version as they were, so that a later run tries again.
int RecordBesideHeldFile(platform::Platform& platform, registry::RegistryKey& key, const char* dll,
                         int destination, int targetOs, std::int32_t version) {
  std::string registered;
  switch (PlaceBesideHeldFile(platform, dll, destination, targetOs, registered)) {
    case Placement::kBothHeld:
      messages::ShowMessage(platform, IDS_SYSTEM_ERROR_RESTART);
      return kFailed;
    case Placement::kNotPlaced:
      return kSucceeded;
    case Placement::kPlaced:
      break;
  }
  key.SetString("Driver", registered.c_str());
  key.SetDword("DriverVersion", static_cast<DWORD>(version));
  return kSucceeded;
}

int UpdateBesideHeldFile(platform::Platform& platform, config::DriverConfig& config,
                         int updateFlags, int targetOs, const char* processorName,
                         const char* processorDll, std::int32_t packageVersion) {
  registry::RegistryKey key(platform.registry);
  if ((updateFlags & kUsbMonitorOlder) != 0) {
    config::PortMonitorSet set{};
    config.ReadPortMonitorSet(targetOs, set);
    key.OpenOrCreate(HKEY_LOCAL_MACHINE, MonitorKeyPath(set.usbMonitor.pName).c_str());
    return RecordBesideHeldFile(platform, key, set.usbMonitor.pDLLName, kSystemDir, targetOs,
                                set.usbMonitorVersion);
  }
  if ((updateFlags & kProcessorOlder) != 0) {
    key.OpenOrCreate(HKEY_LOCAL_MACHINE, ProcessorKeyPath(targetOs, processorName).c_str());
    return RecordBesideHeldFile(platform, key, processorDll, kProcessorDir, targetOs,
                                packageVersion);
  }
  return kSucceeded;
}

}  // namespace

int InPlaceUpdate(platform::Platform& platform, config::DriverConfig& config, int updateFlags,
                  int targetOs, const char* processorName, const char* processorDll,
                  std::int32_t packageVersion) {
  if (targetOs == kTargetWin98Me) {
    return UpdateBesideHeldFile(platform, config, updateFlags, targetOs, processorName,
                                processorDll, packageVersion);
  }
  return UpdateWithSpoolerStopped(platform, config, updateFlags, targetOs, processorName,
                                  processorDll, packageVersion);
}

}  // namespace install
