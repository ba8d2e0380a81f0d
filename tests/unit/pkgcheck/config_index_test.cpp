// The index that pkgcheck's checks and the simulated profile reader share, checked on the
// profile-reader conformance corpus: against a plain scan of the lines in file order, and
// against the reader's own answers, so that the checks see every value the reader hands over.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "pkgcheck/config_file.h"
#include "platform/sim/ini_document.h"
#include "platform/sim/name_case.h"
#include "platform/sim/sim_file_tree.h"
#include "platform/sim/sim_profile_service.h"
#include "question_list.h"

namespace {

namespace fs = std::filesystem;
using platform::sim::EqualsIgnoringCase;
using platform::sim::IniDocument;
using Kind = IniDocument::Kind;
constexpr size_t npos = std::string::npos;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::vector<fs::path> CorpusFiles() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(INI_CORPUS_DIR)) {
    files.push_back(entry.path());
  }
  return files;
}

// The reader's rule, line by line: the first header of the name, its first entry of the name.
size_t ScanHeader(const IniDocument& doc, std::string_view name) {
  name = platform::sim::TrimProfileBlanks(name);
  for (size_t i = 0; i < doc.lines().size() && !name.empty(); ++i) {
    if (doc.lines()[i].kind == Kind::kHeader && EqualsIgnoringCase(doc.lines()[i].name, name)) {
      return i;
    }
  }
  return npos;
}

size_t ScanEntry(const IniDocument& doc, size_t header, std::string_view key) {
  key = platform::sim::TrimProfileBlanks(key);
  for (size_t i = header + 1; header != npos && !key.empty() && i < doc.lines().size(); ++i) {
    if (doc.lines()[i].kind == Kind::kHeader) {
      break;
    }
    if (doc.lines()[i].kind == Kind::kEntry && EqualsIgnoringCase(doc.lines()[i].name, key)) {
      return i;
    }
  }
  return npos;
}

// Every name the file uses, as written and in other spellings the reader matches.
std::vector<std::string> Spellings(const std::string& name) {
  std::string lower = name;
  for (char& c : lower) {
    c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return {name, platform::sim::UpperCase(name), lower, " " + name + "\t", name + "x"};
}

TEST(ConfigIndex, FindsTheSectionsAndEntriesALineScanFinds) {
  int compared = 0;
  for (const fs::path& path : CorpusFiles()) {
    SCOPED_TRACE(path.filename().string());
    const IniDocument doc = IniDocument::Parse(ReadBytes(path));
    std::vector<std::string> sections;
    std::vector<std::string> keys;
    for (const auto& line : doc.lines()) {
      (line.kind == Kind::kHeader ? sections : keys).push_back(line.name);
    }
    sections.push_back("Missing");
    keys.push_back("Missing");
    for (const std::string& section : sections) {
      for (const std::string& spelling : Spellings(section)) {
        const size_t header = doc.FindHeader(spelling);
        ASSERT_EQ(header, ScanHeader(doc, spelling)) << "[" << spelling << "]";
        for (const std::string& key : keys) {
          for (const std::string& keySpelling : Spellings(key)) {
            ASSERT_EQ(doc.FindEntry(header, keySpelling), ScanEntry(doc, header, keySpelling))
                << "[" << spelling << "] " << keySpelling;
            ++compared;
          }
        }
      }
    }
    // A copy indexes its own lines.
    const IniDocument copy = doc;
    for (const std::string& section : sections) {
      EXPECT_EQ(copy.FindHeader(section), doc.FindHeader(section));
    }
  }
  EXPECT_GT(compared, 1000);
}

TEST(ConfigIndex, ChecksSeeWhatTheReaderAnswersOnTheConformanceQuestions) {
  std::vector<ini_conformance::Question> questions;
  std::string error;
  ASSERT_TRUE(ini_conformance::ParseQuestions(ReadBytes(INI_QUESTIONS), questions, error)) << error;
  platform::sim::SimFileTree disk;
  OSVERSIONINFOA version{};
  version.dwPlatformId = VER_PLATFORM_WIN32_NT;
  version.dwMajorVersion = 5;
  version.dwMinorVersion = 1;
  const std::string windows = "C:\\WINDOWS";
  platform::sim::SimProfileService reader(disk, windows, version);
  int compared = 0;
  for (const auto& question : questions) {
    const fs::path path = fs::path(INI_CORPUS_DIR) / question.file;
    if (!question.section || !question.key || !fs::exists(path)) {
      continue;
    }
    SCOPED_TRACE(question.id);
    const std::string bytes = ReadBytes(path);
    const std::string where = "C:\\CORPUS\\" + question.file;
    disk.WriteFile(where, bytes);
    // The checks' own parse and the reader's, which pkgcheck shares natively.
    for (const pkgcheck::ConfigFile& file :
         {pkgcheck::ConfigFile(question.file, bytes),
          pkgcheck::ConfigFile(question.file, bytes, reader.Document(where))}) {
      const std::optional<std::string> raw = file.Raw(*question.section, *question.key);
      std::vector<char> out(8000, '\0');
      const char* absent = "\x01(absent)";
      reader.GetPrivateProfileStringA(question.section->c_str(), question.key->c_str(), absent,
                                      out.data(), static_cast<DWORD>(out.size()), where.c_str());
      const std::string answer = out.data();
      if (raw) {
        EXPECT_EQ(pkgcheck::Unquoted(*raw), answer);
        EXPECT_EQ(file.KeyLine(*question.section, *question.key) > 0, true);
      } else {
        EXPECT_EQ(answer, absent);
      }
      ++compared;
    }
  }
  EXPECT_GT(compared, 50);
}

}  // namespace
