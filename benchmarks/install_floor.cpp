// The floor of the typical installation (TP-R80 on KSCOM1: on Windows XP): the spooler,
// registry and file calls that the installation makes on a fresh system, with the same names
// and files, and what any wizard must do around them: its Install button closes its window and
// a final message box follows. Nothing else: no INI reading, no pauses. The bench's driver
// times it from the click to the message shown, as it times Setup.exe's Finish. Run from the
// package folder in a fresh prefix; it also writes "floor_ms <milliseconds>", the calls alone,
// to install_floor.txt in the current folder.
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "floor_window.h"

namespace {

constexpr const char* kMonitorsKey = "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\";
constexpr const char* kProcessorsKey =
    "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows NT x86\\Print Processors\\";

std::string DriverFolder() {
  char folder[MAX_PATH] = {};
  DWORD needed = 0;
  ::GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(folder),
                               sizeof(folder), &needed);
  return folder;
}

std::string ProcessorFolder() {
  char folder[MAX_PATH] = {};
  DWORD needed = 0;
  ::GetPrintProcessorDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(folder),
                                sizeof(folder), &needed);
  return folder;
}

std::string SystemFolder() {
  char folder[MAX_PATH] = {};
  ::GetSystemDirectoryA(folder, sizeof(folder));
  return folder;
}

void Copy(const std::string& from, const std::string& folder, const char* name) {
  char current[MAX_PATH] = {};
  ::GetCurrentDirectoryA(sizeof(current), current);
  ::CopyFileA((std::string(current) + "\\winnt\\" + from).c_str(), (folder + "\\" + name).c_str(),
              FALSE);
}

bool KeyExists(const std::string& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key) != 0) {
    return false;
  }
  ::RegCloseKey(key);
  return true;
}

void SetValue(const std::string& path, const char* name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key) == 0) {
    ::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    ::RegCloseKey(key);
  }
}

void SetVersion(const std::string& path, DWORD version) {
  SetValue(path, "DriverVersion", REG_DWORD, &version, sizeof(version));
}

void AddMonitor(const char* name, const char* dll) {
  MONITOR_INFO_2A info{const_cast<char*>(name), nullptr, const_cast<char*>(dll)};
  ::AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
}

void Install() {
  const std::string system = SystemFolder();
  // The serial-port monitor, absent.
  const std::string monitorKey = std::string(kMonitorsKey) + "TP Serial Monitor";
  if (!KeyExists(monitorKey)) {
    Copy("TPSERMON.DLL", system, "TPSERMON.DLL");
    Copy("TPSERUI.DLL", system, "TPSERUI.DLL");
    AddMonitor("TP Serial Monitor", "TPSERMON.DLL");
    SetVersion(monitorKey, 2);
  }
  // The print processor, absent.
  const std::string processorKey = std::string(kProcessorsKey) + "TP Print Processor";
  if (!KeyExists(processorKey)) {
    Copy("TPPROC.DLL", ProcessorFolder(), "TPPROC.DLL");
    ::AddPrintProcessorA(nullptr, nullptr, const_cast<char*>("TPPROC.DLL"),
                         const_cast<char*>("TP Print Processor"));
    SetVersion(processorKey, 3);
  }
  // The driver's files, the language monitor and the driver.
  const std::string drivers = DriverFolder();
  Copy("TPSTDUI.DLL", drivers, "TPSTDUI.DLL");
  Copy("TPR80S.DAT", drivers, "TPR80S.DAT");
  Copy("TPR80S.DAT", drivers + "\\3", "TPR80S.DAT");
  Copy("TPSTD.DLL", drivers, "TPSTD.DLL");
  Copy("TPSTD.HLP", drivers, "TPSTD.HLP");
  Copy("pjlmon.dll", drivers, "pjlmon.dll");
  AddMonitor("Language Monitor", "pjlmon.dll");
  char dependent[] = "\0";
  DRIVER_INFO_3A driver{};
  driver.cVersion = 3;
  driver.pName = const_cast<char*>("TP-R80 Text");
  driver.pDriverPath = const_cast<char*>("TPSTD.DLL");
  driver.pDataFile = const_cast<char*>("TPR80S.DAT");
  driver.pConfigFile = const_cast<char*>("TPSTDUI.DLL");
  driver.pHelpFile = const_cast<char*>("TPSTD.HLP");
  driver.pMonitorName = const_cast<char*>("Language Monitor");
  driver.pDependentFiles = dependent;
  ::AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&driver));
  // The printer, with a zero-filled device mode of 148 bytes.
  static BYTE devModeBytes[148] = {};
  auto* devMode = reinterpret_cast<DEVMODEA*>(devModeBytes);
  std::strcpy(reinterpret_cast<char*>(devMode->dmDeviceName), "TP-R80");
  devMode->dmSize = sizeof(devModeBytes);
  PRINTER_INFO_2A printer{};
  printer.pPrinterName = const_cast<char*>("TP-R80(S)");
  printer.pPortName = const_cast<char*>("KSCOM1:");
  printer.pDriverName = const_cast<char*>("TP-R80 Text");
  printer.pPrintProcessor = const_cast<char*>("TP Print Processor");
  printer.pDatatype = const_cast<char*>("RAW");
  printer.pDevMode = devMode;
  printer.Priority = 1;
  printer.DefaultPriority = 1;
  HANDLE added = ::AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&printer));
  if (added != nullptr) {
    ::ClosePrinter(added);
  }
  // The default printer and the line settings.
  HMODULE winspool = ::LoadLibraryA("winspool.drv");
  using SetDefault = BOOL(WINAPI*)(LPCSTR);
  auto setDefault = reinterpret_cast<SetDefault>(
      reinterpret_cast<void*>(::GetProcAddress(winspool, "SetDefaultPrinterA")));
  if (setDefault != nullptr) {
    setDefault("TP-R80(S)");
  }
  ::FreeLibrary(winspool);
  const char settings[] = "9600,n,8,1,p";
  SetValue("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports", "COM1:", REG_SZ, settings,
           sizeof(settings));
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency{};
  ::QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

INT_PTR CALLBACK FloorProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  if (message == WM_INITDIALOG) {
    return TRUE;
  }
  if (message != WM_COMMAND) {
    return FALSE;
  }
  if (LOWORD(wparam) == IDOK) {
    LARGE_INTEGER start{};
    LARGE_INTEGER end{};
    ::QueryPerformanceCounter(&start);
    Install();
    ::QueryPerformanceCounter(&end);
    if (FILE* figure = std::fopen("install_floor.txt", "w")) {
      std::fprintf(figure, "floor_ms %.1f\n", Milliseconds(start, end));
      std::fclose(figure);
    }
    // As the wizard does: its window closes before the final message.
    ::EndDialog(dialog, 0);
    ::MessageBoxA(::GetActiveWindow(), "Installed", "Install floor", MB_OK | MB_ICONINFORMATION);
    return TRUE;
  }
  if (LOWORD(wparam) == IDCANCEL) {
    ::EndDialog(dialog, 1);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  floor_window::DialogTemplate dialog("Install floor", 200, 60);
  dialog.Item(IDOK, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, {75, 23, 50, 14},
              "Button", "Install");
  return static_cast<int>(::DialogBoxIndirectParamA(instance, dialog.get(), nullptr, FloorProc, 0));
}
