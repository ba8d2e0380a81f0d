#include "pkgcheck/report.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace pkgcheck {
namespace {

// The order in which files are reported: the common file names the models, the family files
// describe them, the folders hold what they name.
int FileRank(const std::string& file) {
  static const char* const kOrder[] = {
      "DRVCONFIG/setup.ini",
      "DRVCONFIG/setup_receipt.ini",
      "DRVCONFIG/setup_ticket.ini",
      "DRVCONFIG/setup_lable.ini",
      "DRVCONFIG/setup_embedded.ini",
      "DRVCONFIG/",
      "win98/",
      "winnt/",
      "win2003/",
  };
  const int count = static_cast<int>(sizeof(kOrder) / sizeof(kOrder[0]));
  for (int i = 0; i < count; ++i) {
    if (file.compare(0, std::char_traits<char>::length(kOrder[i]), kOrder[i]) == 0) {
      return i;
    }
  }
  return count;
}

std::string Plural(int count, const char* word) {
  return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

std::string Summary(const Report& report) {
  return Plural(report.Count(Severity::kError), "error") + ", " +
         Plural(report.Count(Severity::kWarning), "warning") + ", " +
         Plural(report.Count(Severity::kNote), "note");
}

}  // namespace

std::string JsonString(const std::string& utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof(escaped), "\\u%04x", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

const char* SeverityName(Severity severity) {
  switch (severity) {
    case Severity::kError:
      return "error";
    case Severity::kWarning:
      return "warning";
    default:
      return "note";
  }
}

void Report::Add(Severity severity, Where where, std::string check, std::string message) {
  const auto same = [&](const Finding& f) {
    return std::tie(f.where.file, f.where.line, f.where.section, f.where.key, f.check, f.message) ==
           std::tie(where.file, where.line, where.section, where.key, check, message);
  };
  if (std::none_of(findings_.begin(), findings_.end(), same)) {
    findings_.push_back(Finding{severity, std::move(where), std::move(check), std::move(message)});
  }
}

std::vector<Finding> Report::Ordered() const {
  std::vector<Finding> ordered = findings_;
  std::stable_sort(ordered.begin(), ordered.end(), [](const Finding& a, const Finding& b) {
    return std::make_tuple(FileRank(a.where.file), a.where.file, a.where.line) <
           std::make_tuple(FileRank(b.where.file), b.where.file, b.where.line);
  });
  return ordered;
}

int Report::Count(Severity severity) const {
  return static_cast<int>(std::count_if(findings_.begin(), findings_.end(),
                                        [&](const Finding& f) { return f.severity == severity; }));
}

bool Report::Has(const std::string& check) const {
  return std::any_of(findings_.begin(), findings_.end(),
                     [&](const Finding& f) { return f.check == check; });
}

int Report::ExitCode() const {
  if (Count(Severity::kError) > 0) {
    return 2;
  }
  return Count(Severity::kWarning) > 0 ? 1 : 0;
}

std::string FormatText(const Report& report, const std::string& package, TextConverter convert) {
  std::string out;
  for (const Finding& f : report.Ordered()) {
    std::string place = f.where.file.empty() ? package : f.where.file;
    if (f.where.line > 0) {
      place += ":" + std::to_string(f.where.line);
    }
    std::string subject;
    if (!f.where.section.empty()) {
      subject += "[" + f.where.section + "] ";
    }
    if (!f.where.key.empty()) {
      subject += f.where.key + ": ";
    }
    out += convert(place + ": " + SeverityName(f.severity) + ": " + subject + f.message) + " [" +
           f.check + "]\n";
  }
  out += "pkgcheck: " + Summary(report) + " in " + convert(package) + "\n";
  return out;
}

std::string FormatJson(const Report& report, const std::string& package, TextConverter convert) {
  std::string out = "{\"schema\": " + std::to_string(kJsonSchema) +
                    ", \"package\": " + JsonString(convert(package)) +
                    ", \"errors\": " + std::to_string(report.Count(Severity::kError)) +
                    ", \"warnings\": " + std::to_string(report.Count(Severity::kWarning)) +
                    ", \"notes\": " + std::to_string(report.Count(Severity::kNote)) +
                    ", \"exit\": " + std::to_string(report.ExitCode()) + ", \"findings\": [";
  bool first = true;
  for (const Finding& f : report.Ordered()) {
    out += first ? "\n  " : ",\n  ";
    first = false;
    out += "{\"severity\": " + JsonString(SeverityName(f.severity)) +
           ", \"check\": " + JsonString(f.check) +
           ", \"file\": " + JsonString(convert(f.where.file)) +
           ", \"line\": " + std::to_string(f.where.line) +
           ", \"section\": " + JsonString(convert(f.where.section)) +
           ", \"key\": " + JsonString(convert(f.where.key)) +
           ", \"message\": " + JsonString(convert(f.message)) + "}";
  }
  out += first ? "]}\n" : "\n]}\n";
  return out;
}

}  // namespace pkgcheck
