#include "pkgcheck/config_file.h"

#include <algorithm>

#include "config/code_page.h"
#include "platform/sim/name_case.h"

namespace pkgcheck {
namespace {

using Kind = platform::sim::IniDocument::Kind;

bool IsTrailByte(unsigned char byte) {
  return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

// Length of the UTF-8 sequence that starts at text[i] (2 to 4), or 0 when there is none.
std::size_t Utf8Sequence(const std::string& text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  const std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xC2 && lead <= 0xDF ? 2
                                                            : 0;
  if (length == 0 || i + length > text.size()) {
    return 0;
  }
  for (std::size_t k = 1; k < length; ++k) {
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
      return 0;
    }
  }
  return length;
}

// Counts the line breaks as the reader splits lines: CR LF, LF or CR.
void CountLineBreaks(const std::string& bytes, int& crlf, int& lf, int& cr) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      ++crlf;
      ++i;
    } else if (bytes[i] == '\n') {
      ++lf;
    } else if (bytes[i] == '\r') {
      ++cr;
    }
  }
}

// The line (from 1) of byte position `at`, lines ending at CR LF, LF or CR as the reader splits
// them; code page 936 and UTF-8 never hold a CR or LF byte inside a character.
int LineAt(const std::string& bytes, std::size_t at) {
  int line = 1;
  for (std::size_t i = 0; i < at && i < bytes.size(); ++i) {
    const bool crBeforeLf = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
    if (bytes[i] == '\n' || (bytes[i] == '\r' && !crBeforeLf)) {
      ++line;
    }
  }
  return line;
}

bool LooksLikeUtf16(const std::string& bytes) {
  if (bytes.size() >= 2 &&
      ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF'))) {
    return true;
  }
  // Without a mark: ASCII text in UTF-16 LE has a NUL after every character.
  std::size_t nulAfter = 0;
  const std::size_t pairs = bytes.size() / 2;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    nulAfter += bytes[i] != '\0' && bytes[i + 1] == '\0';
  }
  return pairs >= 4 && nulAfter * 2 > pairs;
}

}  // namespace

std::string Unquoted(const std::string& raw) {
  if (raw.size() >= 2 && (raw.front() == '"' || raw.front() == '\'') && raw.back() == raw.front()) {
    return raw.substr(1, raw.size() - 2);
  }
  return raw;
}

ConfigFile::ConfigFile(std::string name, const std::string& bytes,
                       std::shared_ptr<const platform::sim::IniDocument> document)
    : name_(std::move(name)),
      document_(document != nullptr ? std::move(document)
                                    : std::make_shared<const platform::sim::IniDocument>(
                                          platform::sim::IniDocument::Parse(bytes))) {
  for (const auto& line : document_->lines()) {
    if (line.kind == Kind::kHeader) {
      sortedSections_.push_back(platform::sim::UpperCase(line.name));
    }
  }
  std::sort(sortedSections_.begin(), sortedSections_.end());
  if (LooksLikeUtf16(bytes)) {
    encoding_ = Encoding::kUtf16;
    encodingLine_ = 1;
    return;
  }
  CountLineBreaks(bytes, crlf_, lf_, cr_);
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    encoding_ = Encoding::kUtf8Bom;
    encodingLine_ = 1;
    return;
  }
  // Non-ASCII bytes: code page 936 pairs, or UTF-8 sequences, or neither.
  bool allUtf8 = true;
  std::size_t firstNonAscii = std::string::npos;
  std::size_t firstNotGbk = std::string::npos;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte < 0x80) {
      continue;
    }
    if (firstNonAscii == std::string::npos) {
      firstNonAscii = i;
    }
    const std::size_t utf8 = Utf8Sequence(bytes, i);
    allUtf8 = allUtf8 && utf8 != 0;
    if (firstNotGbk == std::string::npos &&
        !(config::IsLeadByte(bytes[i]) && i + 1 < bytes.size() &&
          IsTrailByte(static_cast<unsigned char>(bytes[i + 1])))) {
      firstNotGbk = i;
    }
    if (utf8 != 0 && allUtf8) {
      i += utf8 - 1;
    } else if (config::IsLeadByte(bytes[i])) {
      ++i;
    }
  }
  if (firstNonAscii != std::string::npos && allUtf8) {
    encoding_ = Encoding::kUtf8;
    encodingLine_ = LineAt(bytes, firstNonAscii);
  } else if (firstNotGbk != std::string::npos) {
    encoding_ = Encoding::kNotGbk;
    encodingLine_ = LineAt(bytes, firstNotGbk);
  }
}

int ConfigFile::SectionLine(const std::string& section) const {
  const std::size_t header = document_->FindHeader(section);
  return header == std::string::npos ? 0 : static_cast<int>(header + 1);
}

int ConfigFile::EntryIndex(const std::string& section, const std::string& key) const {
  const std::size_t entry = document_->FindEntry(document_->FindHeader(section), key);
  return entry == std::string::npos ? -1 : static_cast<int>(entry);
}

int ConfigFile::KeyLine(const std::string& section, const std::string& key) const {
  return EntryIndex(section, key) + 1;
}

std::optional<std::string> ConfigFile::Raw(const std::string& section,
                                           const std::string& key) const {
  const int index = EntryIndex(section, key);
  if (index < 0) {
    return std::nullopt;
  }
  return document_->lines()[static_cast<std::size_t>(index)].value;
}

bool ConfigFile::HasSectionStartingWith(const std::string& prefix) const {
  const std::string upper = platform::sim::UpperCase(prefix);
  const auto first = std::lower_bound(sortedSections_.begin(), sortedSections_.end(), upper);
  return first != sortedSections_.end() && first->compare(0, upper.size(), upper) == 0;
}

std::vector<std::pair<std::string, int>> ConfigFile::Keys(const std::string& section) const {
  std::vector<std::pair<std::string, int>> keys;
  const std::size_t header = document_->FindHeader(section);
  if (header == std::string::npos) {
    return keys;
  }
  const auto& lines = document_->lines();
  for (std::size_t i = header + 1, end = document_->SectionEnd(header); i < end; ++i) {
    if (lines[i].kind == Kind::kEntry) {
      keys.emplace_back(lines[i].name, static_cast<int>(i + 1));
    }
  }
  return keys;
}

}  // namespace pkgcheck
