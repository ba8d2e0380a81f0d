// The program's own literal texts in English: the removal's question and summary, the frame's
// buttons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/setup_wizard.h"
#include "app/single_run.h"
#include "app/wow64_refusal.h"
#include "fakes/fake_dialog_view.h"
#include "install/spooler_refusal.h"
#include "install/target_system.h"
#include "language/scoped_language.h"
#include "messages/message_box.h"
#include "platform/sim/sim_machine.h"
#include "unattended/answering_user_service.h"
#include "unattended/memory_log.h"
#include "uninstall/removal_texts.h"

namespace {

using testing_support::ScopedLanguage;

bool IsAscii(const std::string& text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      return false;
    }
  }
  return true;
}

uninstall::RemovalList SampleList() {
  uninstall::RemovalList list;
  list.printers = {"TP-R80(S)", "TP-R80(S)(1)"};
  list.drivers = {"TP-R80(S)"};
  list.files = {"C:\\WINDOWS\\system32\\TPMON.DLL"};
  return list;
}

TEST(EnglishTexts, RemovalQuestionAndReportsAreAsciiAndNameTheModel) {
  ScopedLanguage english(language::Language::kEnglish);
  uninstall::RemovalOutcome outcome;
  outcome.removed = SampleList();
  outcome.atRestart = {"C:\\WINDOWS\\system32\\TPPROC.DLL"};
  outcome.remaining.files = {"C:\\WINDOWS\\system32\\TPLM.DLL"};
  const std::string question = uninstall::RemovalQuestion("TP-R80", SampleList());
  EXPECT_EQ(question,
            "The following, installed by TP-R80, will be removed:\n"
            "Printers: TP-R80(S), TP-R80(S)(1)\nPrinter drivers: TP-R80(S)\n"
            "Files: C:\\WINDOWS\\system32\\TPMON.DLL\n\nContinue?");
  for (const std::string& text :
       {uninstall::RemovalReport("TP-R80", outcome), uninstall::NothingInstalledMessage("TP-R80"),
        uninstall::SurveyFailedMessage("access denied")}) {
    EXPECT_TRUE(IsAscii(text)) << text;
    EXPECT_NE(text, "");
  }
  EXPECT_NE(uninstall::RemovalReport("TP-R80", outcome).find("Could not be removed:"),
            std::string::npos);
}

// The refusals that end a run before it starts, the rights hint of a refused spooler call and
// the OS page's button for newer systems: what a person reads in each language.
TEST(EnglishTexts, RefusalsRightsHintAndNewerSystemButtonsSpeakTheRunsLanguage) {
  for (const auto language : {language::Language::kChinese, language::Language::kEnglish}) {
    ScopedLanguage chosen(language);
    const bool english = language == language::Language::kEnglish;
    platform::sim::SimMachine machine;
    app::RefuseOn64BitWindows(machine.platform(), true, nullptr);
    {
      app::SingleRun first(machine.platform());
      app::SingleRun second(machine.platform());
      ASSERT_FALSE(second.first());
      second.RefuseSecondRun(false);
    }
    OSVERSIONINFOEXA windows10{};
    windows10.dwPlatformId = VER_PLATFORM_WIN32_NT;
    windows10.dwMajorVersion = 10;
    windows10.wProductType = VER_NT_WORKSTATION;
    std::vector<std::string> texts = {
        install::SpoolerFailureText(machine.platform(), IDS_INSTALL_SUCCEEDED, ERROR_ACCESS_DENIED,
                                    ""),
        install::RecogniseTargetSystem(windows10).buttonText};
    ASSERT_EQ(machine.messageBoxes().size(), 2u);
    for (const auto& box : machine.messageBoxes()) {
      texts.push_back(box.text);
    }
    for (const std::string& text : texts) {
      EXPECT_EQ(IsAscii(text), english) << text;
      EXPECT_NE(text, "");
    }
    EXPECT_EQ(texts[1], english ? "Windows XP and later" : "Windows XP 及更高版本");
  }
}

TEST(EnglishTexts, ChineseRemovalQuestionIsUnchanged) {
  const std::string question = uninstall::RemovalQuestion("TP-R80", SampleList());
  EXPECT_EQ(question.substr(0, 4), "将删");
  EXPECT_FALSE(IsAscii(question));
}

class NoRules final : public app::WizardRules {
 public:
  void OnForwardPressed() override {}
  bool OnLeavePage(app::WizardHost&, int, int) override { return true; }
  void OnArrivedOnLastPage(app::WizardHost&) override {}
  void OnFinish(app::WizardHost&) override {}
};

TEST(EnglishTexts, FrameButtonsHaveEnglishCaptionsWithMnemonics) {
  ScopedLanguage english(language::Language::kEnglish);
  NoRules rules;
  app::SetupWizard wizard(rules);
  testing_support::FakeDialogView frame;
  class Host final : public app::WizardHost {
   public:
    explicit Host(ui::DialogView& frame) : frame_(frame) {}
    ui::DialogView& frameView() override { return frame_; }
    ui::DialogView& pageView(int) override { return frame_; }
    void ShowPageWindow(int, bool) override {}
    void EndWizard(int) override {}

   private:
    ui::DialogView& frame_;
  } host(frame);
  wizard.OnInitDialog(host);
  EXPECT_EQ(frame.GetText(IDC_BACK), "<< &Back");
  EXPECT_EQ(frame.GetText(IDC_NEXT_FINISH), "&Finish");  // a wizard without pages
  EXPECT_EQ(frame.GetText(IDC_CANCEL_WIZARD), "&Cancel");
}

}  // namespace

namespace {

// A run without windows logs each message in the run's language with its message-table id, and
// answers the questions by id whatever the language.
TEST(EnglishTexts, UnattendedLogNamesEnglishMessagesByTheirIds) {
  ScopedLanguage english(language::Language::kEnglish);
  platform::sim::SimMachine machine;
  unattended_test::MemoryLog log;
  unattended::AnsweringUserService user(machine.platform().user, log,
                                        unattended::QuestionAnswers{false, true});
  const std::string installed = messages::LoadMessage(machine.platform(), IDS_INSTALL_SUCCEEDED);
  const std::string restart = messages::LoadMessage(machine.platform(), IDS_RESTART_QUESTION);
  user.MessageBoxA(installed.c_str(), "Setup", MB_OK);
  EXPECT_EQ(user.MessageBoxA(restart.c_str(), "Setup", MB_YESNO), IDYES);
  ASSERT_EQ(log.lines.size(), 2u);
  EXPECT_EQ(log.lines[0], "message 131: The printer driver was installed");
  EXPECT_EQ(log.lines[1].rfind("message 114 (question, answered Yes): Restart the system", 0), 0u)
      << log.lines[1];
}

}  // namespace
