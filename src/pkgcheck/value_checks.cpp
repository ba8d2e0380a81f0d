#include "pkgcheck/value_checks.h"

#include <algorithm>

#include "config/decimal.h"
#include "install/package_files.h"
#include "platform/sim/ini_document.h"
#include "platform/sim/name_case.h"

namespace pkgcheck {
namespace {

constexpr std::int64_t kInt32Max = 2147483647;

// Text after a blank and a semicolon: a comment written behind a value.
bool LooksLikeComment(const std::string& value) {
  const std::size_t at = value.find(';');
  return at != std::string::npos && at > 0 && (value[at - 1] == ' ' || value[at - 1] == '\t');
}

// The key's raw value, or the finding for its absence.
std::optional<std::string> Present(CheckContext& context, const ConfigFile& file,
                                   const std::string& section, const std::string& key,
                                   const IfMissing& ifMissing) {
  std::optional<std::string> raw = file.Raw(section, key);
  if (!raw && ifMissing.severity) {
    context.Add(*ifMissing.severity, context.At(file, section, key), "key-missing",
                "missing: it reads as \"0\"" +
                    (ifMissing.meaning.empty() ? std::string() : ", " + ifMissing.meaning));
  }
  return raw;
}

// A value longer than its buffer: the installer reads it cut.
bool CheckCapacity(CheckContext& context, const ConfigFile& file, const std::string& section,
                   const std::string& key, const std::string& raw, int capacity) {
  const std::string value = Unquoted(raw);
  if (value.size() <= static_cast<std::size_t>(capacity)) {
    return true;
  }
  context.Add(Severity::kError, context.At(file, section, key), "value-too-long",
              "\"" + value + "\" is " + std::to_string(value.size()) +
                  " characters (bytes) long; Setup.exe reads at most " + std::to_string(capacity) +
                  ", so it reads \"" + value.substr(0, static_cast<std::size_t>(capacity)) + "\"");
  return false;
}

}  // namespace

const NumberRule kCount{0, kInt32Max, "a count, flag or version (0 to 2147483647)"};
const NumberRule kSigned16{-32768, 32767, "a signed 16-bit field (-32768 to 32767)"};
const NumberRule kUnsigned16{0, 65535, "an unsigned 16-bit field (0 to 65535)"};
const NumberRule kUnsigned32{0, 4294967295LL, "an unsigned 32-bit field (0 to 4294967295)"};

std::int64_t CheckNumber(CheckContext& context, const ConfigFile& file, const std::string& section,
                         const std::string& key, int capacity, const NumberRule& rule,
                         const IfMissing& ifMissing) {
  const std::string value =
      context.Read(file, section, key, static_cast<std::size_t>(capacity) + 1);
  const config::DecimalText scanned = config::ScanDecimal(value.c_str());
  const std::optional<std::string> raw = Present(context, file, section, key, ifMissing);
  if (!raw || !CheckCapacity(context, file, section, key, *raw, capacity)) {
    return scanned.value();
  }
  const Where where = context.At(file, section, key);
  const std::string beforeComment(
      platform::sim::TrimProfileBlanks(value.substr(0, value.find(';'))));
  if (!scanned.plain && LooksLikeComment(value) &&
      config::ScanDecimal(beforeComment.c_str()).plain) {
    // The number reads as written: only the comment's place is wrong.
    context.Add(Severity::kWarning, where, "comment-in-value",
                "\"" + value + "\": Setup.exe reads " + beforeComment +
                    ", as meant, but text after a value is part of it; a comment needs a line of "
                    "its own");
  } else if (!scanned.plain) {
    std::string hint;
    if (value.find("0x") != std::string::npos || value.find("0X") != std::string::npos) {
      hint = "; numbers are decimal only";
    } else if (LooksLikeComment(value)) {
      hint = "; a comment needs a line of its own";
    }
    context.Add(Severity::kError, where, "not-a-number",
                "\"" + value + "\" is not a plain decimal number: Setup.exe reads it as " +
                    std::to_string(config::ParseDecimal(value.c_str())) + hint);
    return scanned.value();
  }
  if (scanned.value() < rule.min || scanned.value() > rule.max) {
    context.Add(Severity::kError, where, "number-out-of-range",
                value + " does not fit " + rule.field);
  }
  return scanned.value();
}

bool CheckText(CheckContext& context, const ConfigFile& file, const std::string& section,
               const std::string& key, int capacity, const IfMissing& ifMissing) {
  const std::optional<std::string> raw = Present(context, file, section, key, ifMissing);
  if (!raw) {
    return false;
  }
  if (CheckCapacity(context, file, section, key, *raw, capacity) && LooksLikeComment(*raw)) {
    context.Add(Severity::kWarning, context.At(file, section, key), "comment-in-value",
                "\"" + *raw +
                    "\": text after the value is part of it; a comment needs a line "
                    "of its own");
  }
  return true;
}

void CheckFileName(CheckContext& context, const ConfigFile& file, const std::string& section,
                   const std::string& key, const std::string& value, int capacity, int targetOs,
                   bool required, const std::string& purpose, Severity ifFileMissing) {
  const IfMissing ifMissing =
      required ? IfMissing{Severity::kError, "so no " + purpose + " is copied"} : Optional();
  const std::optional<std::string> raw = Present(context, file, section, key, ifMissing);
  if (!raw || !CheckCapacity(context, file, section, key, *raw, capacity)) {
    return;  // absent or cut: said already
  }
  const Where where = context.At(file, section, key);
  if (LooksLikeComment(value)) {
    // The file meant is the one before the comment: only the comment is reported.
    context.Add(Severity::kError, where, "comment-in-value",
                "\"" + value +
                    "\": text after the file name is part of it, so Setup.exe looks "
                    "for a file of that name; a comment needs a line of its own");
    const std::string meant =
        value.substr(0, value.find_last_not_of(" \t", value.find(';') - 1) + 1);
    context.fileUses.push_back(FileUse{targetOs, meant, where, ifFileMissing, purpose});
    return;
  }
  if (value.empty()) {
    if (required) {
      context.Add(Severity::kError, where, "file-name-empty",
                  "empty: the installation stops with \"driver files are missing\" (message 142)");
    }
    return;
  }
  if (value[0] == '0') {
    if (value != "0") {
      auto& names = context.zeroFileNames;
      const auto known = std::find_if(names.begin(), names.end(), [&](const ZeroFileName& z) {
        return platform::sim::EqualsIgnoringCase(z.name, value);
      });
      if (known == names.end()) {
        names.push_back(ZeroFileName{where, value, 0, {}});
      } else {
        ++known->otherKeys;
      }
    } else if (required) {
      context.Add(Severity::kError, where, "file-name-zero",
                  "\"0\" means no file, but the " + purpose + " is required");
    }
    return;
  }
  if (!install::IsBareFileName(value.c_str())) {
    context.Add(Severity::kError, where, "file-name-not-bare",
                "\"" + value + "\" is not a bare file name of the " + SystemFolder(targetOs) +
                    " folder (no folders, drive, device names or dots alone): Setup.exe refuses "
                    "to copy it");
    return;
  }
  context.fileUses.push_back(FileUse{targetOs, value, where, ifFileMissing, purpose});
}

}  // namespace pkgcheck
