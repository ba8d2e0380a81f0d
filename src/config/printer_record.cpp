// DriverConfig's printer-queue reader: PRINTER_INFO_2 and its device-mode block.
#include <cstring>
#include <string>

#include "config/code_page.h"
#include "config/decimal.h"
#include "config/driver_config.h"
#include "config/flavor_key.h"
#include "config/section_names.h"
#include "config/text_buffer.h"

namespace config {
namespace {

// Printer-information keys in reading order; the flavour's driver-name key is the second.
enum PrinterInfoKey {
  kServerName,
  kDriverName,
  kComment,
  kLocation,
  kSepFile,
  kDatatype,
  kParameters,
  kSecurityDescriptor,
  kAttributes,
  kPriority,
  kDefaultPriority,
  kStartTime,
  kUntilTime,
  kStatus,
  kJobs,
  kAveragePpm,
};
constexpr const char* kPrinterInfoKeys[kPrinterInfoKeyCount] = {
    "SERVERNAME", "DRIVERNAME", "COMMENT",         "LOCATION",
    "SEPFILE",    "DATATYPE",   "PARAMETERS",      "SECURITYDESCRIPTOR",
    "ATTRIBUTES", "PRIORITY",   "DEFAULTPRIORITY", "STARTTIME",
    "UNTILTIME",  "STATUS",     "CJOBS",           "AVERAGEPPM",
};

enum DevModeKey {
  kDriverVersion,
  kDriverExtra,
  kOrientation,
  kPaperSize,
  kPaperLength,
  kPaperWidth,
  kScale,
  kCopies,
  kDefaultSource,
  kPrintQuality,
  kColor,
  kDuplex,
  kYResolution,
  kTtOption,
  kCollate,
  kFormName,
  kIcmMethod,
  kIcmIntent,
  kMediaType,
  kDitherType,
  kFields,
};
constexpr const char* kDevModeKeys[kDevModeKeyCount] = {
    "DRIVERVERSION", "DMDRIVEREXTRA", "ORIENTATION",   "PAPERSIZE",    "PAPERLENGTH", "PAPERWIDTH",
    "SCALE",         "COPIES",        "DEFAULTSOURCE", "PRINTQUALITY", "COLOR",       "DUPLEX",
    "YRESOLUTION",   "TTOPTION",      "COLLATE",       "FORMNAME",     "ICMMETHOD",   "ICMINTENT",
    "MEDIATYPE",     "DITHERTYPE",    "FIELDS",
};

constexpr WORD kDevModeSpecVersion = 0x0400;

DWORD Number(const char* text) {
  return ParseUnsignedDecimal(text);
}
short Short(const char* text) {
  return static_cast<short>(ParseDecimal16(text));
}

}  // namespace

void DriverConfig::ReadPrinterRecord(const char* model, int targetOs, PrinterRecord& record,
                                     int flavor, DevModeBlock& devMode) {
  PrinterRecordTexts& t = storage_.printer;
  Text section{};
  PrinterInfoSectionName(model, targetOs, section);
  for (int key = 0; key < kPrinterInfoKeyCount; ++key) {
    const std::string name =
        key == kDriverName ? FlavorKey(flavor, "DRIVERNAME") : kPrinterInfoKeys[key];
    ReadFamilyValue(section, name.c_str(), t.info[key], kShortTextSize);
  }

  record.pServerName = t.info[kServerName];
  record.pShareName = nullptr;
  record.pDriverName = t.info[kDriverName];
  CopyText(t.printerName, model);
  record.pPrinterName = t.printerName;
  record.pComment = t.info[kComment];
  record.pLocation = t.info[kLocation];
  record.pSepFile = t.info[kSepFile];
  record.pDatatype = t.info[kDatatype];
  record.pParameters = t.info[kParameters];
  // The INI text is not a security descriptor; the spooler gets none and applies its default.
  record.pSecurityDescriptor = nullptr;
  record.Attributes = Number(t.info[kAttributes]);
  record.Priority = Number(t.info[kPriority]);
  record.DefaultPriority = Number(t.info[kDefaultPriority]);
  record.StartTime = Number(t.info[kStartTime]);
  record.UntilTime = Number(t.info[kUntilTime]);
  record.Status = Number(t.info[kStatus]);
  record.cJobs = Number(t.info[kJobs]);
  record.AveragePPM = Number(t.info[kAveragePpm]);

  DriverSectionName(model, targetOs, section);
  const std::string processorKey = FlavorKey(flavor, "PrintProcessor");
  ReadFamilyValue(section, processorKey.c_str(), t.printProcessor, sizeof(t.printProcessor));
  record.pPrintProcessor = t.printProcessor;

  ReadDevMode(model, targetOs, devMode);
  record.pDevMode = devMode.get();
}

void DriverConfig::ReadDevMode(const char* model, int targetOs, DevModeBlock& devMode) {
  PrinterRecordTexts& t = storage_.printer;
  Text section{};
  DevModeSectionName(model, targetOs, section);
  for (int key = 0; key < kDevModeKeyCount; ++key) {
    ReadFamilyValue(section, kDevModeKeys[key], t.devMode[key], kDevModeTextSize);
  }
  const auto& v = t.devMode;
  // The private area the driver-extra count announces is allocated before anything is written.
  devMode.ReserveDriverExtra(ParseDecimal16(v[kDriverExtra]));

  DEVMODEA& dm = *devMode.get();
  // Cut to the field at a character boundary: never half a double-byte character.
  CopyWholeCharacters(reinterpret_cast<char*>(dm.dmDeviceName), sizeof(dm.dmDeviceName), model);
  dm.dmSpecVersion = kDevModeSpecVersion;
  dm.dmSize = static_cast<WORD>(DevModeBlock::kPublicSize);
  dm.dmDriverVersion = ParseDecimal16(v[kDriverVersion]);
  dm.dmDriverExtra = ParseDecimal16(v[kDriverExtra]);
  dm.dmFields = Number(v[kFields]);
  dm.dmOrientation = Short(v[kOrientation]);
  dm.dmPaperSize = Short(v[kPaperSize]);
  dm.dmPaperLength = Short(v[kPaperLength]);
  dm.dmPaperWidth = Short(v[kPaperWidth]);
  dm.dmScale = Short(v[kScale]);
  dm.dmCopies = Short(v[kCopies]);
  dm.dmDefaultSource = Short(v[kDefaultSource]);
  dm.dmPrintQuality = Short(v[kPrintQuality]);
  dm.dmColor = Short(v[kColor]);
  dm.dmDuplex = Short(v[kDuplex]);
  dm.dmYResolution = Short(v[kYResolution]);
  dm.dmTTOption = Short(v[kTtOption]);
  dm.dmCollate = Short(v[kCollate]);
  CopyWholeCharacters(reinterpret_cast<char*>(dm.dmFormName), sizeof(dm.dmFormName), v[kFormName]);
  dm.dmICMMethod = Number(v[kIcmMethod]);
  dm.dmICMIntent = Number(v[kIcmIntent]);
  dm.dmMediaType = Number(v[kMediaType]);
  dm.dmDitherType = Number(v[kDitherType]);
}

}  // namespace config
