// Reads the dialog scripts themselves: every Chinese dialog has its English twin with the same
// controls, the English texts are ASCII, and no two controls of one window share a mnemonic.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kDialogs = std::string(RESOURCES_DIR) + "/dialogs/";
const char* const kTemplates[] = {"about.rc",        "wizard.rc",    "licence_page.rc",
                                  "printer_page.rc", "mode_page.rc", "os_page.rc",
                                  "port_page.rc"};
// The frame's buttons stay on screen with every page: Back, Next, Finish, Cancel.
const std::set<char> kFrameMnemonics = {'b', 'n', 'f', 'c'};

std::string ReadFile(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The quoted texts of the script, comment lines left out.
std::vector<std::string> QuotedTexts(const std::string& script) {
  std::vector<std::string> texts;
  std::istringstream lines(script);
  const std::regex quoted("\"([^\"]*)\"");
  for (std::string line; std::getline(lines, line);) {
    if (line.find("//") == line.find_first_not_of(' ')) {
      continue;
    }
    for (std::sregex_iterator it(line.begin(), line.end(), quoted), end; it != end; ++it) {
      texts.push_back((*it)[1]);
    }
  }
  return texts;
}

std::set<std::string> ControlIds(const std::string& script) {
  std::set<std::string> ids;
  const std::regex id("\\b(IDC_\\w+|IDOK|IDI_\\w+|IDB_\\w+)\\b");
  for (std::sregex_iterator it(script.begin(), script.end(), id), end; it != end; ++it) {
    ids.insert((*it)[1]);
  }
  return ids;
}

class EnglishTemplate : public ::testing::TestWithParam<const char*> {};

TEST_P(EnglishTemplate, HasTheChineseControlsAndAsciiTexts) {
  const std::string chinese = ReadFile(kDialogs + GetParam());
  const std::string english = ReadFile(kDialogs + "english/" + GetParam());
  ASSERT_FALSE(chinese.empty());
  ASSERT_FALSE(english.empty()) << "no English " << GetParam();
  EXPECT_EQ(ControlIds(english), ControlIds(chinese));
  EXPECT_NE(english.find("+ ENGLISH_RESOURCE_OFFSET DIALOGEX"), std::string::npos);
  for (const std::string& text : QuotedTexts(english)) {
    for (char c : text) {
      EXPECT_LT(static_cast<unsigned char>(c), 0x80) << GetParam() << ": " << text;
    }
  }
}

TEST_P(EnglishTemplate, MnemonicsAreUniqueWithTheFramesButtons) {
  const bool isPage = std::string(GetParam()).find("_page") != std::string::npos;
  std::set<char> used = isPage ? kFrameMnemonics : std::set<char>();
  for (const std::string& text : QuotedTexts(ReadFile(kDialogs + "english/" + GetParam()))) {
    const size_t amp = text.find('&');
    if (amp == std::string::npos || amp + 1 >= text.size()) {
      continue;
    }
    const char key = static_cast<char>(std::tolower(static_cast<unsigned char>(text[amp + 1])));
    EXPECT_TRUE(used.insert(key).second) << GetParam() << ": '" << key << "' twice, in " << text;
  }
}

INSTANTIATE_TEST_SUITE_P(Dialogs, EnglishTemplate, ::testing::ValuesIn(kTemplates));

}  // namespace
