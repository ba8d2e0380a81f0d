#include "registry/install_record_store.h"

#include <cstring>
#include <string>

#include "config/text_buffer.h"
#include "registry/registry_key.h"

namespace registry {
namespace {

constexpr DWORD kPortFree = 255;
constexpr DWORD kPortTaken = 0;
// INSTALLPRINTER names are enumerated into a 260-byte buffer announced as 200 bytes.
constexpr DWORD kEnumeratedNameSize = 200;

}  // namespace

int InstallRecordStore::SupportedCount() {
  return config_.SupportedUsbPortCount();
}

void InstallRecordStore::SupportedEntry(int index, char (&out)[30]) {
  config_.SupportedUsbPort(index, out);
}

void InstallRecordStore::RecordPortNumber(const char* portName) {
  const int count = SupportedCount();
  for (int i = 0; i < count; ++i) {
    char entry[30] = {};
    SupportedEntry(i, entry);
    if (std::strcmp(entry, portName) != 0) {
      continue;
    }
    RegistryKey key(platform_.registry);
    if (key.Open(HKEY_LOCAL_MACHINE, kPortNameKey)) {
      key.SetDword(portName, static_cast<DWORD>(i));
    }
    return;
  }
}

void InstallRecordStore::PortNameFromPrinterName(const char* printerName, char (&out)[260]) {
  const std::string name(printerName);
  std::string port = "USB_";
  const size_t open = name.find('(');
  if (open == std::string::npos) {
    port += name;
  } else {
    port += name.substr(0, open);
    port += '_';
    if (open + 4 < name.size()) {
      port += name[open + 4];
    }
  }
  config::CopyText(out, port);
}

void InstallRecordStore::UpdateUsbPortRecords(const char* portName) {
  const int count = SupportedCount();
  RecordChosenPortNumber(portName, count);
  MarkEveryDeviceTaken();
  AddMissingPortMarkers(count);
  RecordInstalledPrinterPorts();
}

// PORTNAME is opened (and so created) even when the chosen port is not a supported one.
void InstallRecordStore::RecordChosenPortNumber(const char* portName, int count) {
  RegistryKey portNames(platform_.registry);
  if (!portNames.OpenOrCreate(HKEY_LOCAL_MACHINE, kPortNameKey)) {
    return;
  }
  for (int i = 0; i < count; ++i) {
    char entry[30] = {};
    SupportedEntry(i, entry);
    if (std::strcmp(entry, portName) == 0) {
      portNames.SetDword(portName, static_cast<DWORD>(i));
      return;
    }
  }
}

void InstallRecordStore::MarkEveryDeviceTaken() {
  RegistryKey printerPorts(platform_.registry);
  if (printerPorts.OpenOrCreate(HKEY_LOCAL_MACHINE, kPrinterPortKey)) {
    for (int d = 1; d <= 8; ++d) {
      printerPorts.SetDword(("D" + std::to_string(d)).c_str(), kPortTaken);
    }
  }
}

// A supported port without a marker gets one saying it is free; existing markers stay.
void InstallRecordStore::AddMissingPortMarkers(int count) {
  RegistryKey printerPorts(platform_.registry);
  if (!printerPorts.Open(HKEY_LOCAL_MACHINE, kPrinterPortKey)) {
    return;
  }
  for (int i = 0; i < count; ++i) {
    char entry[30] = {};
    SupportedEntry(i, entry);
    DWORD existing = 0;
    if (!printerPorts.QueryDword(entry, &existing)) {
      printerPorts.SetDword(entry, kPortFree);
    }
  }
}

// Every printer listed under INSTALLPRINTER has its USB port's number recorded.
void InstallRecordStore::RecordInstalledPrinterPorts() {
  RegistryKey installed(platform_.registry);
  if (!installed.Open(HKEY_LOCAL_MACHINE, kInstallPrinterKey)) {
    return;
  }
  for (DWORD index = 0;; ++index) {
    char name[260] = {};
    DWORD nameSize = kEnumeratedNameSize;
    DWORD type = 0;
    if (installed.EnumValue(index, name, &nameSize, &type) != ERROR_SUCCESS) {
      break;
    }
    char port[260] = {};
    PortNameFromPrinterName(name, port);
    RecordPortNumber(port);
  }
}

void InstallRecordStore::MarkUsbPort(const char* portText) {
  RegistryKey printerPorts(platform_.registry);
  if (printerPorts.Open(HKEY_LOCAL_MACHINE, kPrinterPortKey)) {
    printerPorts.SetDword(portText, kPortTaken);
  }
}

}  // namespace registry
