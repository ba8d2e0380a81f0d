// The state of one package check: the package read through the installer's own DriverConfig
// (and so through the platform's profile reader), the INI files' lines, the models found so
// far, the files the installation would copy, and the report.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/driver_config.h"
#include "pkgcheck/config_file.h"
#include "pkgcheck/package_folder.h"
#include "pkgcheck/report.h"
#include "platform/platform.h"

namespace pkgcheck {

// Index of the common file among the INI files; a family file's index is its PrinterType + 1.
constexpr int kCommonFile = 0;
constexpr int kConfigFileCount = 1 + kPrinterTypeCount;

// "DRVCONFIG/setup.ini" and its siblings, as findings name them.
std::string ConfigFileName(int index);

// A model of the model list that the printer page offers.
struct Model {
  int entry = 0;  // n of "DEVICENAMEn"
  int line = 0;   // its line in the common file
  std::string name;
  int family = -1;
  bool portOptions = false;  // its ".PORT" section is there
  std::int32_t advanced = 0;
  std::int32_t server2003 = 0;
  std::int32_t baudRate = 0;
  std::int32_t usb = 0;
  std::int32_t lptDefault = 0;
  std::vector<int> systems;  // the target systems it can be installed on
  bool nameTooLongForUsb = false;
  bool checked = false;  // its family file holds its sections: its options are known
  // USBSUPPORTED and AdvancedSetup read as written, so its USB ports are known.
  bool usbPortsKnown = false;
};

// A cause that keeps models of the model list from the printer page (a misspelt suffix, entries
// beyond DEVICENUMBER). Its finding is given last, with what follows from it folded in: the USB
// ports and files that only those models' sections name.
struct DroppedModels {
  Severity severity = Severity::kError;
  Where where;
  std::string check;
  std::string message;
  // The models as their sections name them, with the family file that holds those.
  std::vector<std::pair<std::string, int>> models;
  std::vector<int> entries;   // n of their "DEVICENAMEn"
  bool defaultEntry = false;  // DEFAULTNAME names one of them: no model is preselected
  int usbPorts = 0;           // listed USB ports of theirs, not judged
  int files = 0;              // package files only their sections name, not judged
};

// A file name beginning with 0, which Setup.exe takes for "no file": one finding at its first
// key, with the other keys and the package files of that name folded in.
struct ZeroFileName {
  Where first;
  std::string name;                // as first written
  int otherKeys = 0;               // keys after the first that name it
  std::vector<std::string> files;  // "winnt/0X.DAT": the package files of that name
};

// A file the installation copies from the package folder of a target system.
struct FileUse {
  int targetOs = 0;
  std::string name;
  Where where;          // the key that names it, or what makes the installer copy it
  Severity ifMissing;   // how bad it is when the folder lacks it
  std::string purpose;  // "STD driver file of TP-R80 on Windows XP"
};

class CheckContext {
 public:
  CheckContext(platform::Platform& platform, PackageFolder& folder, Report& report);

  // The INI file, or null when it is missing or cannot be read (reported already).
  const ConfigFile* File(int index) const;
  const ConfigFile* Family(int printerType) const { return File(printerType + 1); }
  void SetFile(int index, ConfigFile file) { files_[static_cast<std::size_t>(index)] = file; }

  // Where a key of a section points: its line, or its section's line when it is absent.
  Where At(const ConfigFile& file, const std::string& section, const std::string& key) const;

  void Add(Severity severity, Where where, std::string check, std::string message) {
    report.Add(severity, std::move(where), std::move(check), std::move(message));
  }

  // A value of a family file, read as the installer reads it.
  std::string ReadFamily(int printerType, const std::string& section, const std::string& key,
                         std::size_t size);
  std::string ReadCommon(const std::string& section, const std::string& key, std::size_t size);
  // A value of one of the INI files, read as the installer reads it.
  std::string Read(const ConfigFile& file, const std::string& section, const std::string& key,
                   std::size_t size);

  platform::Platform& platform;
  PackageFolder& folder;
  Report& report;
  config::DriverConfig config;
  std::vector<Model> models;
  std::vector<FileUse> fileUses;
  // The folders of the package as listed (nullopt: missing), by TargetOs.
  std::optional<std::vector<std::string>> systemFolders[kTargetOsCount];
  // The model count does not read as written, so which models exist is not known: what
  // depends on all of them (ports and files named by none) is not judged.
  bool modelListUnknown = false;
  std::vector<DroppedModels> dropped;
  std::vector<ZeroFileName> zeroFileNames;
  // Some model installs a print processor of the package's own.
  bool packageProcessor = false;
  // INI files that are there but cannot be read (reported already), by index.
  bool unreadable[kConfigFileCount] = {};

 private:
  std::vector<std::optional<ConfigFile>> files_;
};

// "Windows 98/Me", "Windows NT 4", ... by TargetOs.
const char* SystemName(int targetOs);
// "win98", "winnt" or "win2003": the folder of a TargetOs, as findings name it.
std::string SystemFolder(int targetOs);
// "STD" or "GDI".
const char* FlavorName(int flavor);

}  // namespace pkgcheck
