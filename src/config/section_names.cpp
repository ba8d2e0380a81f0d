#include "config/section_names.h"

#include <string>

#include "config/text_buffer.h"

namespace config {
namespace {

struct Suffixes {
  const char* driver;
  const char* printerInfo;
  const char* devMode;
};

// Windows 2000 and XP share the printer and device-mode sections but not the driver section.
constexpr Suffixes kSuffixes[kTargetOsCount] = {
    {".98", ".PRINTERINFO98", ".DEVMODE98"},       {".NT", ".PRINTERINFONT", ".DEVMODENT"},
    {".2K", ".PRINTERINFO2K", ".DEVMODE2K"},       {".XP", ".PRINTERINFO2K", ".DEVMODE2K"},
    {".2003", ".PRINTERINFO2003", ".DEVMODE2003"},
};

// An unknown target has no sections: its name is empty and every read gives the default.
const Suffixes* SuffixesFor(int targetOs) {
  return (targetOs >= 0 && targetOs < kTargetOsCount) ? &kSuffixes[targetOs] : nullptr;
}

void ModelSection(const char* model, const char* suffix, Text& out) {
  if (suffix == nullptr) {
    out[0] = '\0';
    return;
  }
  CopyText(out, std::string(model) + suffix);
}

}  // namespace

void DriverSectionName(const char* model, int targetOs, Text& out) {
  const Suffixes* s = SuffixesFor(targetOs);
  ModelSection(model, s ? s->driver : nullptr, out);
}

void PrinterInfoSectionName(const char* model, int targetOs, Text& out) {
  const Suffixes* s = SuffixesFor(targetOs);
  ModelSection(model, s ? s->printerInfo : nullptr, out);
}

void DevModeSectionName(const char* model, int targetOs, Text& out) {
  const Suffixes* s = SuffixesFor(targetOs);
  ModelSection(model, s ? s->devMode : nullptr, out);
}

void PortOptionsSectionName(const char* model, Text& out) {
  ModelSection(model, ".PORT", out);
}

void PortMonitorSectionName(int targetOs, char (&out)[kMonitorSectionSize]) {
  const Suffixes* s = SuffixesFor(targetOs);
  if (s == nullptr) {
    out[0] = '\0';
    return;
  }
  CopyText(out, std::string("COMMON-MONITOR") + s->driver);
}

}  // namespace config
