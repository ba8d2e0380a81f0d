// What pkgcheck found in a package: findings with their place (file, line, section, key) and
// severity, kept once each, and their readable and JSON forms.
#pragma once

#include <string>
#include <vector>

namespace pkgcheck {

enum class Severity { kNote, kWarning, kError };

// Where a finding points: a package file ("DRVCONFIG/setup.ini", "winnt/TPSTD.DLL"), the line in
// that file's own lines (0: none), and the section and key (empty: none).
struct Where {
  std::string file;
  int line = 0;
  std::string section;
  std::string key;
};

struct Finding {
  Severity severity = Severity::kError;
  Where where;
  std::string check;    // a short stable name of the kind of finding ("model-count")
  std::string message;  // in the package's code page; the output converts it
};

class Report {
 public:
  // Keeps a finding unless the same one (place, check and message) is already there.
  void Add(Severity severity, Where where, std::string check, std::string message);
  // Findings ordered by file (the common file, the family files, the folders, the rest), then
  // line; findings at the same place keep the order in which they were found.
  std::vector<Finding> Ordered() const;
  int Count(Severity severity) const;
  bool Has(const std::string& check) const;
  // 0 clean (notes at most), 1 warnings only, 2 errors.
  int ExitCode() const;

 private:
  std::vector<Finding> findings_;
};

// Converts the package's code-page-936 text for output: to UTF-8, or unchanged where the
// console shows code page 936. Bytes that are no character come out as "\xNN".
using TextConverter = std::string (*)(const std::string&);

// The version of the JSON that --json prints (the check's and the plan's): raised when a field
// changes meaning or goes away, not when one is added.
constexpr int kJsonSchema = 1;
// A JSON string literal of UTF-8 text.
std::string JsonString(const std::string& utf8);

std::string FormatText(const Report& report, const std::string& package, TextConverter convert);
std::string FormatJson(const Report& report, const std::string& package, TextConverter convert);

const char* SeverityName(Severity severity);

}  // namespace pkgcheck
