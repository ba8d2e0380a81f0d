#include "install/default_printer.h"

#include <string>

#include "install/handles.h"
#include "install/install_results.h"
#include "install/zeroed_buffer.h"
#include "platform/loaded_module.h"

namespace install {
namespace {

// Per window that does not answer the broadcast.
constexpr UINT kBroadcastTimeout = 1000;

void BroadcastChange(platform::Platform& platform, const char* section) {
  platform.system.SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0,
                                      reinterpret_cast<LPARAM>(section), SMTO_NORMAL,
                                      kBroadcastTimeout, nullptr);
}

// Opens the printer and reads its level-2 record into buffer; false when any step fails.
bool ReadPrinter(platform::Platform& platform, const char* name, PrinterHandle& printer,
                 ZeroedBuffer& buffer) {
  std::string nameText = name;  // the spooler call takes a writable text
  if (platform.spooler.OpenPrinterA(nameText.data(), printer.receive(), nullptr) == FALSE ||
      printer.get() == nullptr) {
    return false;
  }
  platform.system.SetLastError(0);
  DWORD needed = 0;
  if ((platform.spooler.GetPrinterA(printer.get(), 2, nullptr, 0, &needed) == FALSE &&
       platform.system.GetLastError() != ERROR_INSUFFICIENT_BUFFER) ||
      needed == 0) {
    return false;
  }
  buffer = AllocateZeroed(needed);
  return buffer &&
         platform.spooler.GetPrinterA(printer.get(), 2, buffer.get(), needed, &needed) != FALSE;
}

// Windows 95, 98 and Me: the default attribute added to the printer's own attributes.
int SetDefaultAttribute(platform::Platform& platform, const char* name) {
  PrinterHandle printer(platform.spooler);
  ZeroedBuffer buffer;
  if (!ReadPrinter(platform, name, printer, buffer)) {
    return kFailed;
  }
  auto* info = reinterpret_cast<PRINTER_INFO_2A*>(buffer.get());
  info->Attributes |= PRINTER_ATTRIBUTE_DEFAULT;
  if (platform.spooler.SetPrinterA(printer.get(), 2, buffer.get(), 0) == FALSE) {
    return kFailed;
  }
  BroadcastChange(platform, "windows");
  return kSucceeded;
}

// Windows 2000 and later.
int CallSetDefaultPrinter(platform::Platform& platform, const char* name) {
  platform::LoadedModule winspool(platform.libraries, "winspool.drv");
  if (!winspool.loaded()) {
    return kFailed;
  }
  const auto setDefault = winspool.Find<platform::SetDefaultPrinterAFn>("SetDefaultPrinterA");
  if (setDefault == nullptr) {
    return kFailed;
  }
  const BOOL done = setDefault(name);
  winspool.Free();
  if (done == FALSE) {
    return kFailed;
  }
  BroadcastChange(platform, nullptr);
  return kSucceeded;
}

// Windows NT 4 and earlier: win.ini [windows] "device" = printer,driver,port.
int WriteDeviceEntry(platform::Platform& platform, const char* name) {
  PrinterHandle printer(platform.spooler);
  ZeroedBuffer buffer;
  if (!ReadPrinter(platform, name, printer, buffer)) {
    return kFailed;
  }
  const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.get());
  if (info->pDriverName == nullptr || info->pPortName == nullptr) {
    return kFailed;
  }
  const std::string device = std::string(name) + "," + info->pDriverName + "," + info->pPortName;
  if (platform.profile.WriteProfileStringA("windows", "device", device.c_str()) == FALSE) {
    return kFailed;
  }
  BroadcastChange(platform, nullptr);
  return kSucceeded;
}

}  // namespace

int MakeDefaultPrinter(platform::Platform& platform, const char* printerName) {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof(version);
  platform.system.GetVersionExA(&version);
  // An empty name would not name this printer: SetDefaultPrinterA takes "" as "keep or pick
  // any default", and the other methods would look up a printer without a name.
  if (printerName == nullptr || printerName[0] == '\0') {
    return kFailed;
  }
  if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
    return SetDefaultAttribute(platform, printerName);
  }
  if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
    return version.dwMajorVersion >= 5 ? CallSetDefaultPrinter(platform, printerName)
                                       : WriteDeviceEntry(platform, printerName);
  }
  return kSucceeded;
}

}  // namespace install
