#include "language/language.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "language/scoped_language.h"
#include "messages/message_box.h"
#include "platform/sim/sim_machine.h"
#include "resources/message_table.h"
#include "unattended/command_line.h"

namespace {

using language::Language;
using language::Request;
using testing_support::ScopedLanguage;

bool IsPrintableAscii(const std::string& text) {
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 || (byte < 0x20 && c != '\n')) {
      return false;
    }
  }
  return true;
}

struct ChoiceCase {
  unsigned codePage;
  Request request;
  Language expected;
};

class LanguageChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(LanguageChoice, ChineseOnlyOnCodePage936UnlessAsked) {
  const ChoiceCase& c = GetParam();
  EXPECT_EQ(language::Choose(c.codePage, c.request), c.expected) << c.codePage;
}

INSTANTIATE_TEST_SUITE_P(CodePagesAndRequests, LanguageChoice,
                         ::testing::Values(ChoiceCase{936, Request::kSystem, Language::kChinese},
                                           ChoiceCase{1252, Request::kSystem, Language::kEnglish},
                                           ChoiceCase{1250, Request::kSystem, Language::kEnglish},
                                           ChoiceCase{932, Request::kSystem, Language::kEnglish},
                                           ChoiceCase{949, Request::kSystem, Language::kEnglish},
                                           ChoiceCase{950, Request::kSystem, Language::kEnglish},
                                           ChoiceCase{936, Request::kEnglish, Language::kEnglish},
                                           ChoiceCase{1252, Request::kChinese, Language::kChinese},
                                           ChoiceCase{1252, Request::kEnglish,
                                                      Language::kEnglish}));

struct LangSwitchCase {
  const char* arguments;
  Request request;
  const char* error;  // a part of the reason, "" for none
};

class LangSwitch : public ::testing::TestWithParam<LangSwitchCase> {};

TEST_P(LangSwitch, ChoosesTheLanguageAndKeepsTheWizard) {
  const LangSwitchCase& c = GetParam();
  const unattended::CommandLine line = unattended::ParseCommandLine(c.arguments);
  if (*c.error != '\0') {
    EXPECT_NE(line.error.find(c.error), std::string::npos) << line.error;
    return;
  }
  EXPECT_EQ(line.error, "");
  EXPECT_EQ(line.language, c.request);
  EXPECT_TRUE(line.interactive());
}

INSTANTIATE_TEST_SUITE_P(Switches, LangSwitch,
                         ::testing::Values(LangSwitchCase{"", Request::kSystem, ""},
                                           LangSwitchCase{"/lang:zh", Request::kChinese, ""},
                                           LangSwitchCase{"/LANG:EN", Request::kEnglish, ""},
                                           LangSwitchCase{"-lang:en", Request::kEnglish, ""},
                                           LangSwitchCase{"/lang:fr", Request::kSystem, "zh or en"},
                                           LangSwitchCase{"/lang", Request::kSystem, "zh or en"},
                                           LangSwitchCase{"/lang:en /lang:zh", Request::kSystem,
                                                          "twice"}));

TEST(LanguageResources, EnglishIdsSitAtTheOffsetAndChineseAtTheirOwn) {
  EXPECT_EQ(language::ResourceId(IDD_WIZARD), unsigned{IDD_WIZARD});
  ScopedLanguage english(Language::kEnglish);
  EXPECT_EQ(language::ResourceId(IDD_WIZARD), unsigned{IDD_WIZARD} + ENGLISH_RESOURCE_OFFSET);
  EXPECT_STREQ(language::Pick("中", "en"), "en");
}

TEST(LanguageResources, EveryMessageHasBothTextsTheEnglishInAscii) {
  std::set<unsigned> ids;
  for (const messages::MessageText& message : messages::kMessageTable) {
    ids.insert(message.id);
    EXPECT_NE(std::string(message.chinese), "") << message.id;
    EXPECT_NE(std::string(message.english), "") << message.id;
    EXPECT_TRUE(IsPrintableAscii(message.english)) << message.id;
    EXPECT_FALSE(IsPrintableAscii(message.chinese)) << message.id << " is not Chinese";
  }
  // The English ids must not meet the Chinese ones.
  EXPECT_LT(*ids.rbegin(), *ids.begin() + ENGLISH_RESOURCE_OFFSET);
}

TEST(LanguageResources, MessagesLoadInTheRunsLanguage) {
  platform::sim::SimMachine machine;
  EXPECT_EQ(messages::LoadMessage(machine.platform(), IDS_INSTALL_SUCCEEDED), "打印机驱动安装成功");
  ScopedLanguage english(Language::kEnglish);
  for (const messages::MessageText& message : messages::kMessageTable) {
    EXPECT_EQ(messages::LoadMessage(machine.platform(), message.id), message.english);
  }
}

}  // namespace
