// The installer's USB operations against the real KsUsbInt.dll, for run_usb_wine.py: the same
// ProbeUsbDevice and SetUsbDeviceNumber that Setup.exe runs, on the real Windows calls, except
// that message boxes are recorded instead of shown (nobody would close them on the bench).
//
//   usb_probe probe         prints "result <r>" and "port <UsbPortNumber(r)>"
//   usb_probe renumber <n>  gives the attached printer the number n
//
// Every message box shown prints "message <text in hex>" (the texts are code page 936), in
// the order shown.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "resources/message_table.h"
#include "platform/platform.h"
#include "platform/win32/win32_platform.h"
#include "ports/usb_identity.h"

namespace {

// Answers every box with OK and prints its text; the string table is the program's own.
class RecordingUserService final : public platform::UserService {
 public:
  int MessageBoxA(LPCSTR text, LPCSTR /*caption*/, UINT /*type*/) override {
    std::printf("message ");
    for (const char* c = text; c != nullptr && *c != '\0'; ++c) {
      std::printf("%02X", static_cast<unsigned char>(*c));
    }
    std::printf("\n");
    return IDOK;
  }
  int LoadStringA(UINT id, LPSTR out, int size) override {
    if (out == nullptr || size <= 0) {
      return 0;
    }
    out[0] = '\0';
    for (const messages::MessageText& message : messages::kMessageTable) {
      if (message.id == id) {
        std::snprintf(out, static_cast<size_t>(size), "%s", message.chinese);
        return static_cast<int>(std::strlen(out));
      }
    }
    return 0;
  }
};

int Usage() {
  std::fprintf(stderr, "usage: usb_probe probe | usb_probe renumber <n>\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  platform::Win32ProfileService profile;
  platform::Win32FileService files;
  platform::Win32SystemService system;
  RecordingUserService user;
  platform::Win32RegistryService registry;
  platform::Win32SpoolerService spooler;
  platform::Win32ServiceControl services;
  platform::Win32LibraryService libraries;
  platform::Platform windows{profile, files, system, user, registry, spooler, services, libraries};

  if (argc == 2 && std::strcmp(argv[1], "probe") == 0) {
    const int result = ports::ProbeUsbDevice(windows);
    std::printf("result %d\nport %d\n", result, ports::UsbPortNumber(result));
  } else if (argc == 3 && std::strcmp(argv[1], "renumber") == 0) {
    ports::SetUsbDeviceNumber(windows, std::atoi(argv[2]));
  } else {
    return Usage();
  }
  // The library must be gone again whatever happened.
  std::printf("library %s\n",
              ::GetModuleHandleA("KsUsbInt.dll") == nullptr ? "unloaded" : "loaded");
  return 0;
}
