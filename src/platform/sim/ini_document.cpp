#include "platform/sim/ini_document.h"

#include <algorithm>
#include <cstdint>

namespace platform::sim {
namespace {

constexpr size_t npos = std::string::npos;

// Names and values are C strings to the reader: a NUL byte ends them.
std::string_view UpToNul(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

}  // namespace

bool IsProfileBlank(char c) {
  return (c >= '\t' && c <= '\r') || c == '\x1a' || c == ' ';
}

std::string_view TrimProfileBlanks(std::string_view text) {
  while (!text.empty() && IsProfileBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsProfileBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

IniDocument::Line IniDocument::Classify(std::string text, std::string lineBreak) {
  Line line;
  line.text = std::move(text);
  line.lineBreak = std::move(lineBreak);
  const std::string_view trimmed = TrimProfileBlanks(line.text);
  if (trimmed.empty()) {
    return line;
  }
  if (trimmed.front() == '[') {
    const size_t close = trimmed.rfind(']');
    if (close != npos && close > 0) {
      line.kind = Kind::kHeader;
      line.name = std::string(UpToNul(TrimProfileBlanks(trimmed.substr(1, close - 1))));
      return line;
    }
  }
  const size_t equals = trimmed.find('=');
  if (equals != npos) {
    line.kind = Kind::kEntry;
    line.name = std::string(UpToNul(TrimProfileBlanks(trimmed.substr(0, equals))));
    line.value = std::string(UpToNul(TrimProfileBlanks(trimmed.substr(equals + 1))));
  }
  return line;
}

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument doc;
  // One line per CR LF, LF or CR, blank lines included, so that Serialize gives the bytes back
  // and the writer can tell the blank lines between sections.
  while (!bytes.empty()) {
    const size_t end = std::min(bytes.find_first_of("\r\n"), bytes.size());
    size_t next = std::min(end + 1, bytes.size());
    if (bytes.compare(end, 2, "\r\n") == 0) {
      next = end + 2;
    }
    doc.lines_.push_back(
        Classify(std::string(bytes.substr(0, end)), std::string(bytes.substr(end, next - end))));
    bytes.remove_prefix(next);
  }
  doc.Reindex();
  return doc;
}

std::string IniDocument::Serialize() const {
  std::string out;
  for (const Line& line : lines_) {
    out += line.text;
    out += line.lineBreak;
  }
  return out;
}

size_t IniDocument::NameHash::operator()(std::string_view name) const {
  // FNV-1a over the upper-case bytes.
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : name) {
    hash = (hash ^ static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c)) *
           1099511628211ULL;
  }
  return static_cast<size_t>(hash);
}

void IniDocument::Reindex() {
  sections_.clear();
  IndexedSection* current = nullptr;  // null in a section that repeats an earlier name
  for (size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == Kind::kHeader) {
      current = nullptr;
      if (!line.name.empty()) {
        const auto [section, added] = sections_.try_emplace(line.name);
        if (added) {
          current = &section->second;
          current->header = i;
        }
      }
    } else if (current != nullptr && line.kind == Kind::kEntry && !line.name.empty()) {
      current->entries.try_emplace(line.name, i);
    }
  }
}

size_t IniDocument::FindHeader(std::string_view name) const {
  name = UpToNul(TrimProfileBlanks(name));
  if (name.empty()) {
    return npos;
  }
  const auto section = sections_.find(name);
  return section == sections_.end() ? npos : section->second.header;
}

size_t IniDocument::SectionEnd(size_t header) const {
  size_t end = header + 1;
  while (end < lines_.size() && lines_[end].kind != Kind::kHeader) {
    ++end;
  }
  return end;
}

size_t IniDocument::FindEntry(size_t header, std::string_view key) const {
  key = UpToNul(TrimProfileBlanks(key));
  if (header >= lines_.size() || lines_[header].kind != Kind::kHeader || key.empty()) {
    return npos;
  }
  const auto section = sections_.find(lines_[header].name);
  if (section == sections_.end() || section->second.header != header) {
    return npos;  // a later section of a name already seen: the reader never searches it
  }
  const auto entry = section->second.entries.find(key);
  return entry == section->second.entries.end() ? npos : entry->second;
}

std::optional<std::string> IniDocument::FindValue(std::string_view section,
                                                  std::string_view key) const {
  const size_t entry = FindEntry(FindHeader(section), key);
  if (entry == npos) {
    return std::nullopt;
  }
  return lines_[entry].value;
}

std::vector<std::string> IniDocument::SectionNames() const {
  std::vector<std::string> names;
  for (const Line& line : lines_) {
    if (line.kind == Kind::kHeader && !line.name.empty()) {
      names.push_back(line.name);
    }
  }
  return names;
}

std::optional<std::vector<std::string>> IniDocument::KeyNames(std::string_view section) const {
  return CollectSection(section, [](const Line& line, std::vector<std::string>& names) {
    if (line.kind == Kind::kEntry && !line.name.empty() && line.name.front() != ';') {
      names.push_back(line.name);
    }
  });
}

std::optional<std::vector<std::string>> IniDocument::SectionLines(std::string_view section) const {
  return CollectSection(section, [](const Line& line, std::vector<std::string>& lines) {
    if (line.kind == Kind::kEntry) {
      lines.push_back(line.name + "=" + line.value);
    } else if (!TrimProfileBlanks(line.text).empty()) {
      lines.emplace_back(UpToNul(TrimProfileBlanks(line.text)));
    }
  });
}

size_t IniDocument::AppendSection(std::string_view section) {
  if (!lines_.empty() && lines_.back().lineBreak.empty()) {
    lines_.back().lineBreak = "\r\n";
  }
  lines_.push_back(Classify("[" + std::string(UpToNul(TrimProfileBlanks(section))) + "]", "\r\n"));
  return lines_.size() - 1;
}

void IniDocument::ReplaceSection(std::string_view section, const std::vector<std::string>& lines) {
  size_t header = FindHeader(section);
  if (header == npos) {
    header = AppendSection(section);
  } else {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header + 1),
                 lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(header)));
  }
  if (lines_[header].lineBreak.empty()) {
    lines_[header].lineBreak = "\r\n";
  }
  size_t at = header + 1;
  for (const std::string& text : lines) {
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at++), Classify(text, "\r\n"));
  }
  Reindex();
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  const std::string name(UpToNul(TrimProfileBlanks(key)));
  const std::string newText = name + "=" + std::string(value);
  size_t header = FindHeader(section);
  if (header == npos) {
    AppendSection(section);
    lines_.push_back(Classify(newText, "\r\n"));
    Reindex();
    return;
  }
  const size_t entry = FindEntry(header, name);
  if (entry != npos) {
    // Keep the entry's own spelling of its name; only the value changes.
    Line& line = lines_[entry];
    const std::string kept = line.text.substr(0, line.text.find('=') + 1);
    line = Classify(kept + std::string(value), line.lineBreak);
    Reindex();
    return;
  }
  // The new entry goes after the section's last non-blank line, before any blank lines that
  // separate it from the next section.
  size_t last = header;
  for (size_t i = header + 1, end = SectionEnd(header); i < end; ++i) {
    if (!TrimProfileBlanks(lines_[i].text).empty()) {
      last = i;
    }
  }
  if (lines_[last].lineBreak.empty()) {
    lines_[last].lineBreak = "\r\n";
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(last + 1), Classify(newText, "\r\n"));
  Reindex();
}

void IniDocument::RemoveKey(std::string_view section, std::string_view key) {
  const size_t entry = FindEntry(FindHeader(section), key);
  if (entry != npos) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(entry));
    Reindex();
  }
}

void IniDocument::RemoveSection(std::string_view section) {
  const size_t header = FindHeader(section);
  if (header != npos) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(header)));
    Reindex();
  }
}

}  // namespace platform::sim
