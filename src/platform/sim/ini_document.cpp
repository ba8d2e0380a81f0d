#include "platform/sim/ini_document.h"

#include <algorithm>
#include <cctype>

namespace platform::sim {

bool IsProfileBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
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

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument doc;
  doc.sections_.push_back(Section{std::nullopt, {}});
  while (!bytes.empty()) {
    const size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);

    line = TrimProfileBlanks(line);
    if (line.empty()) {
      continue;
    }
    if (line.front() == '[') {
      const size_t close = line.rfind(']');
      if (close != std::string_view::npos && close > 0) {
        doc.sections_.push_back(
            Section{std::string(TrimProfileBlanks(line.substr(1, close - 1))), {}});
        continue;
      }
    }
    Entry entry;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      entry.key = std::string(line);
    } else {
      entry.key = std::string(TrimProfileBlanks(line.substr(0, equals)));
      entry.value = std::string(TrimProfileBlanks(line.substr(equals + 1)));
    }
    doc.sections_.back().entries.push_back(std::move(entry));
  }
  return doc;
}

std::string IniDocument::Serialize() const {
  std::string out;
  for (const Section& section : sections_) {
    if (section.name) {
      out += "[" + *section.name + "]\r\n";
    }
    for (const Entry& entry : section.entries) {
      out += entry.key;
      if (entry.value) {
        out += "=" + *entry.value;
      }
      out += "\r\n";
    }
  }
  return out;
}

const IniDocument::Entry* IniDocument::Find(std::string_view section, std::string_view key) const {
  section = TrimProfileBlanks(section);
  key = TrimProfileBlanks(key);
  for (const Section& candidate : sections_) {
    if (!candidate.name || !EqualsIgnoringCase(*candidate.name, section)) {
      continue;
    }
    for (const Entry& entry : candidate.entries) {
      if (EqualsIgnoringCase(entry.key, key)) {
        return &entry;
      }
    }
  }
  return nullptr;
}

std::vector<std::string> IniDocument::SectionNames() const {
  std::vector<std::string> names;
  for (const Section& section : sections_) {
    if (section.name) {
      names.push_back(*section.name);
    }
  }
  return names;
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  section = TrimProfileBlanks(section);
  for (const Section& candidate : sections_) {
    if (candidate.name && EqualsIgnoringCase(*candidate.name, section)) {
      for (const Entry& entry : candidate.entries) {
        names.push_back(entry.key);
      }
    }
  }
  return names;
}

IniDocument::Section* IniDocument::FindSection(std::string_view name) {
  name = TrimProfileBlanks(name);
  for (Section& section : sections_) {
    if (section.name && EqualsIgnoringCase(*section.name, name)) {
      return &section;
    }
  }
  return nullptr;
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  Section* target = FindSection(section);
  if (target == nullptr) {
    sections_.push_back(Section{std::string(TrimProfileBlanks(section)), {}});
    target = &sections_.back();
  }
  key = TrimProfileBlanks(key);
  for (Entry& entry : target->entries) {
    if (EqualsIgnoringCase(entry.key, key)) {
      entry.value = std::string(value);
      return;
    }
  }
  target->entries.push_back(Entry{std::string(key), std::string(value)});
}

void IniDocument::RemoveKey(std::string_view section, std::string_view key) {
  if (Section* target = FindSection(section)) {
    key = TrimProfileBlanks(key);
    auto& entries = target->entries;
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [&](const Entry& e) { return EqualsIgnoringCase(e.key, key); }),
                  entries.end());
  }
}

void IniDocument::RemoveSection(std::string_view section) {
  section = TrimProfileBlanks(section);
  sections_.erase(std::remove_if(sections_.begin(), sections_.end(),
                                 [&](const Section& s) {
                                   return s.name && EqualsIgnoringCase(*s.name, section);
                                 }),
                  sections_.end());
}

}  // namespace platform::sim
