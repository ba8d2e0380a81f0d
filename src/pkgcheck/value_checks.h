// Checks of single values: whether a key the installation reads is there, whether its text fits
// the buffer it is read into, and whether a number reads as the author meant it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "pkgcheck/check_context.h"

namespace pkgcheck {

// The values a numeric field takes.
struct NumberRule {
  std::int64_t min;
  std::int64_t max;
  const char* field;  // "a 16-bit field", "the unsigned 32-bit field", ...
};
extern const NumberRule kCount;       // counts, flags and versions: 0 to 2^31 - 1
extern const NumberRule kSigned16;    // short device-mode fields
extern const NumberRule kUnsigned16;  // WORD device-mode fields
extern const NumberRule kUnsigned32;  // DWORD printer and device-mode fields

// What to say when a key is absent: nothing (nullopt), or a finding of this severity with the
// text telling what the absent key means.
struct IfMissing {
  std::optional<Severity> severity;
  std::string meaning;
};
inline IfMissing Optional() {
  return IfMissing{std::nullopt, ""};
}

// A key holding a number: absent, cut, not a plain decimal number, or outside the rule. Returns
// the number as the installer converts it.
std::int64_t CheckNumber(CheckContext& context, const ConfigFile& file, const std::string& section,
                         const std::string& key, int capacity, const NumberRule& rule,
                         const IfMissing& ifMissing);

// A key holding a text: absent, cut to its capacity, or carrying what looks like a comment.
// Returns whether the key is there.
bool CheckText(CheckContext& context, const ConfigFile& file, const std::string& section,
               const std::string& key, int capacity, const IfMissing& ifMissing);

// A key holding a file name of the package folder of targetOs, read as `value`: a bare name,
// not beginning with the digit 0, not cut; when it names a file, the file is recorded as used
// (missing files are reported once, later). Required keys must name a file.
void CheckFileName(CheckContext& context, const ConfigFile& file, const std::string& section,
                   const std::string& key, const std::string& value, int capacity, int targetOs,
                   bool required, const std::string& purpose,
                   Severity ifFileMissing = Severity::kError);

}  // namespace pkgcheck
