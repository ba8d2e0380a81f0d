// One of the package's INI files as the profile reader sees it, with the file's own line
// numbers, so that a finding can point at the line an author has to change.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/ini_document.h"

namespace pkgcheck {

// How the file's bytes are encoded, as far as they tell.
enum class Encoding {
  kAnsi,     // code page 936 (or plain ASCII)
  kUtf8Bom,  // a UTF-8 byte-order mark: the reader takes it for text of the first line
  kUtf8,     // no mark, but the non-ASCII text is UTF-8 rather than code page 936
  kUtf16,    // UTF-16, with or without a mark: Windows 98/Me cannot read it
  kNotGbk,   // bytes that are no code page 936 character
};

class ConfigFile {
 public:
  // name: how findings call it ("DRVCONFIG/setup.ini"); document: the bytes as the profile
  // reader parses them (parsed here when not given).
  ConfigFile(std::string name, const std::string& bytes,
             std::shared_ptr<const platform::sim::IniDocument> document = nullptr);

  const std::string& name() const { return name_; }
  Encoding encoding() const { return encoding_; }
  // The first line whose text is not what the encoding promises (0: none).
  int encodingLine() const { return encodingLine_; }
  // Line endings: counts of CR LF, lone LF and lone CR.
  int crlfCount() const { return crlf_; }
  int lfCount() const { return lf_; }
  int crCount() const { return cr_; }
  const platform::sim::IniDocument& document() const { return *document_; }

  // Line of the first header of that name (0: none): the section the reader searches.
  int SectionLine(const std::string& section) const;
  // Line of the entry the reader answers with (0: none).
  int KeyLine(const std::string& section, const std::string& key) const;
  // The value as written, before the reader removes quotes or cuts it; nullopt when absent.
  std::optional<std::string> Raw(const std::string& section, const std::string& key) const;
  // Whether a section header's name starts with the prefix, without regard to ASCII case.
  bool HasSectionStartingWith(const std::string& prefix) const;
  // Entry names of the section the reader searches, with their lines.
  std::vector<std::pair<std::string, int>> Keys(const std::string& section) const;

 private:
  int EntryIndex(const std::string& section, const std::string& key) const;

  std::string name_;
  Encoding encoding_ = Encoding::kAnsi;
  int encodingLine_ = 0;
  int crlf_ = 0;
  int lf_ = 0;
  int cr_ = 0;
  std::shared_ptr<const platform::sim::IniDocument> document_;
  std::vector<std::string> sortedSections_;  // every header's name in upper case, sorted
};

// The value as the reader hands it over before any cut: one pair of surrounding quotes off.
std::string Unquoted(const std::string& raw);

}  // namespace pkgcheck
