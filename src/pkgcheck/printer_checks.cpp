#include "pkgcheck/printer_checks.h"

#include "config/decimal.h"
#include "pkgcheck/value_checks.h"

namespace pkgcheck {
namespace {

constexpr int kInfoCapacity = 49;
constexpr int kDevModeCapacity = 19;

const IfMissing kReadsAsZeroText{Severity::kWarning, "a text the printer then carries"};
const IfMissing kReadsAsZeroNumber{Severity::kWarning, "the value 0"};

struct NumberKey {
  const char* key;
  const NumberRule& rule;
};

}  // namespace

void CheckDriverName(CheckContext& context, const ConfigFile& file, const std::string& section,
                     const std::string& flavor) {
  const std::string key = flavor + "DRIVERNAME";
  if (CheckText(context, file, section, key, kInfoCapacity,
                IfMissing{Severity::kError, "so the driver is registered under the name \"0\""}) &&
      context.Read(file, section, key, kInfoCapacity + 1).empty()) {
    context.Add(Severity::kError, context.At(file, section, key), "driver-name",
                "empty: a driver needs a name");
  }
}

void CheckPrinterInfo(CheckContext& context, const ConfigFile& file, const std::string& section) {
  for (const char* key :
       {"SERVERNAME", "COMMENT", "LOCATION", "PARAMETERS", "SECURITYDESCRIPTOR"}) {
    CheckText(context, file, section, key, kInfoCapacity, kReadsAsZeroText);
  }
  // Windows refuses a printer whose separator file or data type it does not know.
  const IfMissing refused{Severity::kError, "which Windows refuses: AddPrinterA fails"};
  CheckText(context, file, section, "SEPFILE", kInfoCapacity, refused);
  if (CheckText(context, file, section, "DATATYPE", kInfoCapacity, refused) &&
      context.Read(file, section, "DATATYPE", kInfoCapacity + 1).empty()) {
    context.Add(Severity::kError, context.At(file, section, "DATATYPE"), "datatype",
                "empty: give the printer's data type (RAW)");
  }
  for (const char* key : {"ATTRIBUTES", "PRIORITY", "DEFAULTPRIORITY", "STARTTIME", "UNTILTIME",
                          "STATUS", "CJOBS", "AVERAGEPPM"}) {
    CheckNumber(context, file, section, key, kInfoCapacity, kUnsigned32, kReadsAsZeroNumber);
  }
  const std::int32_t priority =
      config::ParseDecimal(context.Read(file, section, "PRIORITY", kInfoCapacity + 1).c_str());
  if (file.Raw(section, "PRIORITY") && (priority < 1 || priority > 99)) {
    context.Add(Severity::kWarning, context.At(file, section, "PRIORITY"), "priority",
                std::to_string(priority) + ": Windows takes printer priorities from 1 to 99");
  }
}

void CheckDevMode(CheckContext& context, const ConfigFile& file, const std::string& section) {
  static const NumberKey kNumbers[] = {
      {"DRIVERVERSION", kUnsigned16}, {"DMDRIVEREXTRA", kUnsigned16}, {"ORIENTATION", kSigned16},
      {"PAPERSIZE", kSigned16},       {"PAPERLENGTH", kSigned16},     {"PAPERWIDTH", kSigned16},
      {"SCALE", kSigned16},           {"COPIES", kSigned16},          {"DEFAULTSOURCE", kSigned16},
      {"PRINTQUALITY", kSigned16},    {"COLOR", kSigned16},           {"DUPLEX", kSigned16},
      {"YRESOLUTION", kSigned16},     {"TTOPTION", kSigned16},        {"COLLATE", kSigned16},
      {"ICMMETHOD", kUnsigned32},     {"ICMINTENT", kUnsigned32},     {"MEDIATYPE", kUnsigned32},
      {"DITHERTYPE", kUnsigned32},    {"FIELDS", kUnsigned32},
  };
  for (const NumberKey& number : kNumbers) {
    CheckNumber(context, file, section, number.key, kDevModeCapacity, number.rule,
                kReadsAsZeroNumber);
  }
  CheckText(context, file, section, "FORMNAME", kDevModeCapacity,
            IfMissing{Severity::kWarning, "a form the printer does not know"});
  const std::string extra = context.Read(file, section, "DMDRIVEREXTRA", kDevModeCapacity + 1);
  if (config::ParseDecimal16(extra.c_str()) != 0) {
    context.Add(Severity::kWarning, context.At(file, section, "DMDRIVEREXTRA"), "driver-extra",
                extra +
                    ": the driver receives that many zero bytes of private data, which it "
                    "may reject; keep 0");
  }
}

}  // namespace pkgcheck
