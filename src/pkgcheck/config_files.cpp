#include "pkgcheck/config_files.h"

#include <map>
#include <set>

#include "platform/sim/ini_document.h"
#include "platform/sim/name_case.h"

namespace pkgcheck {
namespace {

using Kind = platform::sim::IniDocument::Kind;

std::string RelativePath(int index) {
  std::string path = ConfigFileName(index);
  for (char& c : path) {
    c = c == '/' ? '\\' : c;
  }
  return path;
}

bool IsComment(const std::string& text) {
  const std::string_view trimmed = platform::sim::TrimProfileBlanks(text);
  return !trimmed.empty() && (trimmed.front() == ';' || trimmed.front() == '#');
}

// False when the encoding keeps the reader from the file's content (reported once here).
bool CheckEncoding(CheckContext& context, const ConfigFile& file) {
  const Where where{file.name(), file.encodingLine(), "", ""};
  switch (file.encoding()) {
    case Encoding::kUtf16:
      context.Add(Severity::kError, where, "encoding",
                  "saved as UTF-16: Windows 98/Me reads nothing from it; save it as ANSI text in "
                  "code page 936 (nothing in the file is checked until then)");
      return false;
    case Encoding::kUtf8Bom: {
      // The mark is read as text of line 1: only a section header there is lost.
      const auto& lines = file.document().lines();
      const std::string_view first = platform::sim::TrimProfileBlanks(
          lines.empty() ? std::string_view() : std::string_view(lines[0].text).substr(3));
      if (first.empty() || first.front() != '[' || first.find(']') == std::string_view::npos) {
        context.Add(Severity::kWarning, where, "encoding",
                    "starts with a UTF-8 byte-order mark: Setup.exe reads the file, since line 1 "
                    "holds no section header, but an editor that writes the mark writes UTF-8; "
                    "save it as ANSI text in code page 936, without a mark");
        return true;
      }
      context.Add(Severity::kError, where, "encoding",
                  "starts with a UTF-8 byte-order mark, which the reader takes for text of line "
                  "1: its section " +
                      std::string(first.substr(0, first.rfind(']') + 1)) +
                      " is never found; save it as ANSI text in code page 936, without a mark "
                      "(nothing in the file is checked until then)");
      return false;
    }
    case Encoding::kUtf8:
      context.Add(Severity::kWarning, where, "encoding",
                  "the text seems to be UTF-8: Windows shows it garbled; save the file in code "
                  "page 936");
      return true;
    case Encoding::kNotGbk:
      context.Add(Severity::kWarning, where, "encoding",
                  "bytes that are no code page 936 character: save the file in code page 936");
      return true;
    default:
      return true;
  }
}

void CheckLineEndings(CheckContext& context, const ConfigFile& file) {
  if (file.lfCount() + file.crCount() == 0) {
    return;
  }
  const std::string endings = file.crlfCount() > 0 ? "some lines end in CR LF, others" : "lines";
  context.Add(Severity::kNote, Where{file.name(), 0, "", ""}, "line-endings",
              endings + " in a lone " + (file.lfCount() > 0 ? "LF" : "CR") +
                  ": Setup.exe reads them, but older editors on Windows show them as one line; "
                  "CR LF is the package's line ending");
}

// Lines the reader never answers with: before the first section, without "=", a second
// section or key of a name already seen.
void CheckLayout(CheckContext& context, const ConfigFile& file) {
  const auto& lines = file.document().lines();
  std::map<std::string, int> sections;                      // upper-case name -> first header line
  std::map<std::string, std::pair<int, std::string>> keys;  // in the current section
  bool inSection = false;
  bool shadowed = false;  // the current section repeats an earlier one
  std::string section;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto& line = lines[i];
    const int number = static_cast<int>(i + 1);
    if (line.kind == Kind::kHeader) {
      const auto [first, added] = sections.emplace(platform::sim::UpperCase(line.name), number);
      inSection = true;
      shadowed = !added;
      section = line.name;
      keys.clear();
      if (shadowed) {
        context.Add(Severity::kError, Where{file.name(), number, line.name, ""},
                    "duplicate-section",
                    "a second section of this name (the first is at line " +
                        std::to_string(first->second) + "): Setup.exe reads only the first");
      }
      continue;
    }
    if (IsComment(line.text) || platform::sim::TrimProfileBlanks(line.text).empty() ||
        (i == 0 && file.encoding() == Encoding::kUtf8Bom)) {  // the mark's line: said already
      continue;
    }
    if (!inSection) {
      context.Add(Severity::kWarning, Where{file.name(), number, "", ""}, "outside-section",
                  "\"" + line.text + "\" stands before the first section and is never read");
    } else if (line.kind != Kind::kEntry) {
      context.Add(Severity::kWarning, Where{file.name(), number, section, ""}, "not-an-entry",
                  "\"" + line.text + "\" has no \"=\" and is no entry");
    } else if (!shadowed) {
      const auto [first, added] =
          keys.emplace(platform::sim::UpperCase(line.name), std::make_pair(number, line.value));
      if (!added) {
        const bool same = first->second.second == line.value;
        context.Add(
            same ? Severity::kWarning : Severity::kError,
            Where{file.name(), number, section, line.name}, "duplicate-key",
            "given again (first at line " + std::to_string(first->second.first) +
                (same ? ", with the same value" : ", with \"" + first->second.second + "\"") +
                "): Setup.exe reads only the first");
      }
    }
  }
}

}  // namespace

void LoadConfigFiles(CheckContext& context) {
  for (int index = 0; index < kConfigFileCount; ++index) {
    const std::optional<std::string> bytes = context.folder.Read(RelativePath(index));
    if (!bytes) {
      if (index == kCommonFile) {
        context.Add(Severity::kError, Where{ConfigFileName(index), 0, "", ""}, "file-missing",
                    "missing: Setup.exe offers no model");
      }
      continue;
    }
    ConfigFile file(ConfigFileName(index), *bytes,
                    context.folder.ParseIni(RelativePath(index), *bytes));
    if (!CheckEncoding(context, file)) {
      context.unreadable[index] = true;
      continue;
    }
    CheckLineEndings(context, file);
    CheckLayout(context, file);
    context.SetFile(index, std::move(file));
  }
}

}  // namespace pkgcheck
