// An INI file as the Windows profile reader sees it, kept line by line so that the win.ini
// writer can change one entry and leave every other byte of the file as it was.
//
// The reader works on the file's ANSI bytes, as Windows does for an ANSI file and an ANSI call:
// - a line ends at CR or LF; blanks (tab, LF, VT, FF, CR, ^Z, space) around it are ignored;
// - a line that starts with "[" and has a "]" is a section header; the name is the text up to
//   the last "]", without its surrounding blanks;
// - any other line with "=" is an entry: the name before the first "=", the value after it,
//   both without surrounding blanks; a line without "=" is no entry at all;
// - names and values end at a NUL byte; names match without regard to ASCII case;
// - only the first section of a given name is ever searched, and its first entry of a name
//   wins; lines before the first header belong to no section.
// The document keeps an index of the sections the reader searches and of their entries, so
// that a lookup costs the same in a file of thousands of sections as in a small one.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/sim/name_case.h"

namespace platform::sim {

class IniDocument {
 public:
  IniDocument() = default;
  // The index points into the lines: a copy indexes its own.
  IniDocument(const IniDocument& other) : lines_(other.lines_) { Reindex(); }
  IniDocument& operator=(const IniDocument& other) {
    lines_ = other.lines_;
    Reindex();
    return *this;
  }
  IniDocument(IniDocument&&) = default;
  IniDocument& operator=(IniDocument&&) = default;

  static IniDocument Parse(std::string_view bytes);
  // The file's bytes, with the changes made through the editing calls below.
  std::string Serialize() const;

  // The value of the entry the reader answers with (quotes not yet removed), or nullopt.
  // Names are matched as given, without their surrounding blanks; an empty name finds nothing.
  std::optional<std::string> FindValue(std::string_view section, std::string_view key) const;
  // Every section header's name in file order (duplicates included, empty names left out).
  std::vector<std::string> SectionNames() const;
  // The entry names of a section, leaving out comments (names starting with ";"); nullopt when
  // the file has no such section.
  std::optional<std::vector<std::string>> KeyNames(std::string_view section) const;

  // Every line of a section as the section reader gives it: an entry as "name=value" (blanks
  // around both cut), any other non-blank line trimmed; duplicates and comments included.
  // nullopt when the file has no such section.
  std::optional<std::vector<std::string>> SectionLines(std::string_view section) const;
  // Makes the section hold exactly these lines (adding it at the end of the file if needed).
  void ReplaceSection(std::string_view section, const std::vector<std::string>& lines);

  // win.ini writer: replaces the value of the section's entry, else adds the entry at the end
  // of the section, else adds the section at the end of the file.
  void Set(std::string_view section, std::string_view key, std::string_view value);
  void RemoveKey(std::string_view section, std::string_view key);
  void RemoveSection(std::string_view section);

  // The file's lines as the reader classifies them, in file order (line n of the file is
  // lines()[n - 1]), for tools that point an author at a line.
  enum class Kind { kOther, kHeader, kEntry };
  struct Line {
    std::string text;       // the line's bytes, without its line break
    std::string lineBreak;  // the CR/LF bytes that ended it; empty for a last line without one
    Kind kind = Kind::kOther;
    std::string name;   // section name (header) or entry name (entry)
    std::string value;  // entry value
  };
  const std::vector<Line>& lines() const { return lines_; }
  // Index in lines() of the header of the section the reader searches for this name (the
  // first of the name), or npos; names matched as FindValue matches them.
  size_t FindHeader(std::string_view name) const;
  // Index in lines() of the entry the reader answers with in the section whose header is at
  // index header (as FindHeader gives it), or npos.
  size_t FindEntry(size_t header, std::string_view key) const;
  // One past the last line of the section whose header is at index header.
  size_t SectionEnd(size_t header) const;

 private:
  static Line Classify(std::string text, std::string lineBreak);
  // Rebuilds the index from the lines; every change of lines_ ends with it.
  void Reindex();
  // A new section's header at the end of the file; its index.
  size_t AppendSection(std::string_view section);
  // What `take` makes of each line of the section, in order (it may add nothing); nullopt
  // when there is no such section.
  template <typename Take>
  std::optional<std::vector<std::string>> CollectSection(std::string_view section,
                                                         Take take) const {
    const size_t header = FindHeader(section);
    if (header == std::string::npos) {
      return std::nullopt;
    }
    std::vector<std::string> collected;
    for (size_t i = header + 1, end = SectionEnd(header); i < end; ++i) {
      take(lines_[i], collected);
    }
    return collected;
  }

  std::vector<Line> lines_;
  // Names hashed and compared without regard to ASCII case, as the reader matches them.
  struct NameHash {
    size_t operator()(std::string_view name) const;
  };
  struct NameEquals {
    bool operator()(std::string_view a, std::string_view b) const {
      return EqualsIgnoringCase(a, b);
    }
  };
  template <typename Value>
  using NameMap = std::unordered_map<std::string_view, Value, NameHash, NameEquals>;
  // By name (viewing the names held in lines_): the first header's index, and that section's
  // entries (the first of each name) with their indexes.
  struct IndexedSection {
    size_t header = 0;
    NameMap<size_t> entries;
  };
  NameMap<IndexedSection> sections_;
};

// Blank as the profile reader counts it: tab, LF, VT, FF, CR, ^Z (a DOS end of file) and space.
bool IsProfileBlank(char c);
std::string_view TrimProfileBlanks(std::string_view text);

}  // namespace platform::sim
