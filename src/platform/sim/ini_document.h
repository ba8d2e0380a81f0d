// An INI file as the Windows profile reader sees it: sections of entries, parsed line by line
// with the reader's trimming rules, and written back for WriteProfileStringA.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::sim {

class IniDocument {
 public:
  struct Entry {
    std::string key;
    std::optional<std::string> value;  // none for a line without '='
  };
  struct Section {
    std::optional<std::string> name;  // none for the lines before the first header
    std::vector<Entry> entries;
  };

  static IniDocument Parse(std::string_view bytes);
  std::string Serialize() const;

  // The entry the profile reader answers with, or null. Names are compared without regard to
  // case and without their surrounding blanks.
  const Entry* Find(std::string_view section, std::string_view key) const;
  std::vector<std::string> SectionNames() const;
  std::vector<std::string> KeyNames(std::string_view section) const;

  void Set(std::string_view section, std::string_view key, std::string_view value);
  void RemoveKey(std::string_view section, std::string_view key);
  void RemoveSection(std::string_view section);

 private:
  Section* FindSection(std::string_view name);
  std::vector<Section> sections_;
};

// Blank as the profile reader counts it: space, tab, CR, LF, VT, FF.
bool IsProfileBlank(char c);
std::string_view TrimProfileBlanks(std::string_view text);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace platform::sim
