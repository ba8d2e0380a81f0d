#include "unattended/command_line.h"

#include <gtest/gtest.h>

namespace {

using unattended::ParseCommandLine;

struct LineCase {
  const char* arguments;
  bool interactive;
  bool quiet;
  const char* answers;
  const char* log;
  const char* uninstall;
  const char* error;  // a part of the reason, "" for none
};

class CommandLineTable : public ::testing::TestWithParam<LineCase> {};

TEST_P(CommandLineTable, ReadsSwitchesAsWindowsProgramsDo) {
  const LineCase& c = GetParam();
  const unattended::CommandLine line = ParseCommandLine(c.arguments);
  EXPECT_EQ(line.interactive(), c.interactive);
  if (*c.error != '\0') {
    EXPECT_NE(line.error.find(c.error), std::string::npos) << line.error;
    return;
  }
  EXPECT_EQ(line.error, "");
  EXPECT_EQ(line.quiet, c.quiet);
  EXPECT_EQ(line.answersPath, c.answers);
  EXPECT_EQ(line.logPath, c.log);
  EXPECT_EQ(line.uninstallModel, c.uninstall);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineTable,
    ::testing::Values(
        LineCase{"", true, false, "", "", "", ""}, LineCase{"   ", true, false, "", "", "", ""},
        LineCase{"/quiet /answers:a.ini", false, true, "a.ini", "", "", ""},
        LineCase{"-QUIET -Answers:a.ini /LOG:x.log", false, true, "a.ini", "x.log", "", ""},
        LineCase{"/quiet \"/answers:C:\\My Files\\a.ini\"", false, true, "C:\\My Files\\a.ini", "",
                 "", ""},
        LineCase{"/quiet /answers:\"C:\\My Files\\a.ini\" /log:\"D:\\l og.txt\"", false, true,
                 "C:\\My Files\\a.ini", "D:\\l og.txt", "", ""},
        LineCase{"/uninstall:TP-R80-ReceiptPrinter", false, false, "", "", "TP-R80-ReceiptPrinter",
                 ""},
        LineCase{"/uninstall:M /quiet /log:u.log", false, true, "", "u.log", "M", ""},
        LineCase{"/quiet", false, false, "", "", "", "needs /answers"},
        LineCase{"/answers:a.ini", false, false, "", "", "", "needs /quiet"},
        LineCase{"/log:a.log", false, false, "", "", "", "needs /quiet"},
        LineCase{"/quiet /answers:", false, false, "", "", "", "needs a value"},
        LineCase{"/quiet /answers:a /answers:b", false, false, "", "", "", "twice"},
        LineCase{"/quite /answers:a", false, false, "", "", "", "unknown switch"},
        LineCase{"a.ini", false, false, "", "", "", "unknown argument"},
        LineCase{"/uninstall:M /answers:a", false, false, "", "", "", "cannot be used together"}));

TEST(CommandLine, HelpWinsOverEverythingElse) {
  const unattended::CommandLine line = ParseCommandLine("/quiet /?");
  EXPECT_TRUE(line.help);
  EXPECT_FALSE(line.interactive());
  EXPECT_EQ(line.error, "");
}

}  // namespace
