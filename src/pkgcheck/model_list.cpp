#include "pkgcheck/model_list.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <vector>

#include "config/decimal.h"
#include "config/family_suffix.h"
#include "pkgcheck/value_checks.h"
#include "platform/sim/name_case.h"

namespace pkgcheck {
namespace {

constexpr const char* kSection = "DEVICENAME";
constexpr int kEntryCapacity = kTextSize - 1;
// dmDeviceName holds 31 characters; the supported USB list's names hold 29, "USB_" + model +
// "_4" among them.
constexpr std::size_t kDeviceNameChars = 31;

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  });
  return text;
}

// Edits (insert, delete, change, swap of neighbours) that turn a into b.
std::size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) {
    d[i][0] = i;
  }
  for (std::size_t j = 0; j <= b.size(); ++j) {
    d[0][j] = j;
  }
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

// Indices n of the "DEVICENAMEn" keys present as the reader asks for them (no leading zeros).
std::set<int> PresentEntries(const ConfigFile& common) {
  std::set<int> present;
  for (const auto& [name, line] : common.Keys(kSection)) {
    const std::string upper = platform::sim::UpperCase(name);
    const std::string digits = upper.substr(std::min(upper.size(), std::size_t{10}));
    if (upper.compare(0, 10, "DEVICENAME") == 0 && !digits.empty() && digits.size() < 6 &&
        digits[0] != '0' && std::all_of(digits.begin(), digits.end(), ::isdigit)) {
      present.insert(std::stoi(digits));
    }
  }
  return present;
}

std::string JoinEntries(const std::vector<int>& entries) {
  std::string text;
  for (std::size_t i = 0; i < entries.size() && i < 5; ++i) {
    text += (i == 0 ? "DEVICENAME" : ", DEVICENAME") + std::to_string(entries[i]);
  }
  return entries.size() > 5 ? text + " and " + std::to_string(entries.size() - 5) + " more" : text;
}

// One finding for a count that disagrees with the entries present: the cause, not each gap.
void CheckCount(CheckContext& context, const ConfigFile& common, int count) {
  const std::set<int> present = PresentEntries(common);
  std::vector<int> missing;
  std::vector<int> beyond;
  for (int n = 1; n <= count; ++n) {
    if (present.count(n) == 0) {
      missing.push_back(n);
    }
  }
  for (const int n : present) {
    if (n > count) {
      beyond.push_back(n);
    }
  }
  if (missing.empty() && beyond.empty()) {
    return;
  }
  std::string message = "DEVICENUMBER=" + std::to_string(count) + ", but ";
  if (!missing.empty()) {
    message += JoinEntries(missing) + (missing.size() == 1 ? " is" : " are") +
               " missing (read as \"0\": counted, never offered)";
  }
  if (!beyond.empty()) {
    message += std::string(missing.empty() ? "" : ", and ") + JoinEntries(beyond) +
               (beyond.size() == 1 ? " lies" : " lie") + " beyond it and " +
               (beyond.size() == 1 ? "is" : "are") + " never read";
  }
  message += "; entries are numbered from 1 to DEVICENUMBER without gaps";
  const Where where = context.At(common, kSection, "DEVICENUMBER");
  if (beyond.empty()) {
    context.Add(Severity::kError, where, "model-count", message);
    return;
  }
  // The models beyond the count are never offered: their ports and files follow from this.
  DroppedModels dropped{Severity::kError, where, "model-count", message, {}, beyond};
  for (const int n : beyond) {
    const std::string entry =
        Unquoted(common.Raw(kSection, "DEVICENAME" + std::to_string(n)).value_or(""));
    const config::EntryFamily found = config::FindFamily(entry);
    if (found.printerType >= 0) {
      dropped.models.emplace_back(entry.substr(0, found.nameLength), found.printerType);
    }
  }
  context.dropped.push_back(dropped);
}

// An entry that belongs to no family: a near miss of a suffix is an error, anything else a note.
void CheckEntryWithoutFamily(CheckContext& context, const Where& where, int n,
                             const std::string& entry) {
  const int nearby = NearFamilySuffix(entry);
  if (nearby >= 0) {
    // The name as its sections spell it: the text before the suffix's last hyphen.
    const std::size_t hyphen = entry.rfind('-');
    context.dropped.push_back(DroppedModels{
        Severity::kError,
        where,
        "family-suffix-typo",
        "\"" + entry + "\" almost ends in \"" + config::FamilySuffix(nearby) +
            "\" (suffixes match exactly, case included): the model is never offered",
        {{entry.substr(0, hyphen == std::string::npos ? entry.size() : hyphen), nearby}},
        {n}});
  } else {
    context.Add(Severity::kNote, where, "no-family",
                "\"" + entry +
                    "\" has no family suffix: it counts in DEVICENUMBER but is never "
                    "offered");
  }
}

void CheckModelName(CheckContext& context, const Where& where, const std::string& entry,
                    const config::EntryFamily& family, const std::string& name) {
  const std::size_t suffixEnd =
      family.nameLength + std::char_traits<char>::length(config::FamilySuffix(family.printerType));
  if (suffixEnd < entry.size()) {
    context.Add(Severity::kWarning, where, "text-after-suffix",
                "\"" + entry.substr(suffixEnd) + "\" after the family suffix is dropped");
  }
  if (config::FindFamily(name).printerType >= 0) {
    context.Add(Severity::kWarning, where, "suffix-in-name",
                "the model name \"" + name +
                    "\" holds a second family suffix; the first one "
                    "found decides the family");
  }
  if (name.find_first_of("\\,") != std::string::npos) {
    context.Add(Severity::kError, where, "model-name-character",
                "the model name \"" + name +
                    "\" holds \"\\\" or \",\", which a printer name "
                    "cannot hold: the printer cannot be added");
  }
  if (name.size() > kDeviceNameChars) {
    context.Add(Severity::kError, where, "model-name-too-long",
                "the model name \"" + name + "\" is " + std::to_string(name.size()) +
                    " characters (bytes) long: the printer's device name holds " +
                    std::to_string(kDeviceNameChars) + ", so it is cut");
  }
}

void CheckDefault(CheckContext& context, const ConfigFile& common) {
  CheckNumber(context, common, kSection, "DEFAULTNAME", kEntryCapacity, kCount,
              IfMissing{Severity::kWarning, "so no model is preselected"});
  if (!common.Raw(kSection, "DEFAULTNAME")) {
    return;
  }
  Text name{};
  const int entry = static_cast<int>(
      config::ParseDecimal(context.Read(common, kSection, "DEFAULTNAME", kTextSize).c_str()));
  for (DroppedModels& dropped : context.dropped) {
    if (std::find(dropped.entries.begin(), dropped.entries.end(), entry) != dropped.entries.end()) {
      dropped.defaultEntry = true;
      return;  // said with the cause
    }
  }
  if (context.config.DefaultModel(name) < 0) {
    context.Add(Severity::kWarning, context.At(common, kSection, "DEFAULTNAME"), "default-model",
                "names no model the printer page offers, so none is preselected");
  }
}

}  // namespace

int NearFamilySuffix(const std::string& entry) {
  const std::string lower = Lower(entry);
  for (int type = 0; type < kPrinterTypeCount; ++type) {
    const std::string suffix = Lower(config::FamilySuffix(type));
    if (lower.find(suffix.substr(1)) != std::string::npos) {
      return type;  // a slip of case or of the hyphen
    }
    for (std::size_t at = lower.find('-'); at != std::string::npos; at = lower.find('-', at + 1)) {
      if (EditDistance(lower.substr(at), suffix) <= 2) {
        return type;
      }
    }
  }
  return -1;
}

void CheckModelList(CheckContext& context) {
  const ConfigFile* common = context.File(kCommonFile);
  if (common == nullptr) {
    return;
  }
  if (common->SectionLine(kSection) == 0) {
    context.Add(Severity::kError, Where{common->name(), 0, kSection, ""}, "section-missing",
                "missing: Setup.exe offers no model");
    return;
  }
  CheckNumber(context, *common, kSection, "DEVICENUMBER", config::kModelCountSize - 1,
              NumberRule{0, config::kMaxModelCount, "the model count (0 to 1000)"},
              IfMissing{Severity::kError, "so no model is offered"});
  const int count = context.config.ModelCount();
  const std::optional<std::string> written = common->Raw(kSection, "DEVICENUMBER");
  context.modelListUnknown = !written || !config::ScanDecimal(written->c_str()).plain;
  if (!context.modelListUnknown) {
    CheckCount(context, *common, count);
  }
  std::map<std::string, std::size_t> modelByName;  // upper-case name -> index in models
  for (int n = 1; n <= count; ++n) {
    const std::string key = "DEVICENAME" + std::to_string(n);
    if (!common->Raw(kSection, key)) {
      continue;  // said with the count
    }
    const Where where = context.At(*common, kSection, key);
    CheckText(context, *common, kSection, key, kEntryCapacity, Optional());
    Text name{};
    const int family = context.config.ModelEntry(n, name);
    const std::string entry = context.ReadCommon(kSection, key, kTextSize);
    if (family < 0) {
      CheckEntryWithoutFamily(context, where, n, entry);
      continue;
    }
    if (name[0] == '\0') {
      context.Add(Severity::kError, where, "model-name-empty",
                  "no model name before the family suffix");
      continue;
    }
    const auto [listed, added] =
        modelByName.try_emplace(platform::sim::UpperCase(name), context.models.size());
    if (!added) {
      const Model* same = &context.models[listed->second];
      context.Add(Severity::kError, where, "duplicate-model",
                  "the model \"" + std::string(name) + "\" is listed already as DEVICENAME" +
                      std::to_string(same->entry) + " (line " + std::to_string(same->line) +
                      "): both would read the same sections and add the same printer");
      continue;
    }
    CheckModelName(context, where, entry, config::FindFamily(entry), name);
    Model model;
    model.entry = n;
    model.line = where.line;
    model.name = name;
    model.family = family;
    context.models.push_back(model);
  }
  CheckDefault(context, *common);
  if (context.models.empty() && !context.modelListUnknown) {
    context.Add(Severity::kError, context.At(*common, kSection, "DEVICENUMBER"), "no-model",
                "no entry names a model the printer page can offer: it lists none");
  }
}

}  // namespace pkgcheck
