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
  // /quiet holds wherever it stands, also on a refused line: the refusal then shows no window.
  EXPECT_EQ(line.quiet, c.quiet);
  if (*c.error != '\0') {
    EXPECT_NE(line.error.find(c.error), std::string::npos) << line.error;
    return;
  }
  EXPECT_EQ(line.error, "");
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
        LineCase{"/quiet", false, true, "", "", "", "needs /answers"},
        LineCase{"/answers:a.ini", false, false, "", "", "", "needs /quiet"},
        LineCase{"/log:a.log", false, false, "", "", "", "needs /quiet"},
        LineCase{"/quiet /answers:", false, true, "", "", "", "needs a value"},
        LineCase{"/quiet /answers:a /answers:b", false, true, "", "", "", "twice"},
        LineCase{"/quite /answers:a", false, false, "", "", "", "unknown switch"},
        LineCase{"a.ini", false, false, "", "", "", "unknown argument"},
        LineCase{"/uninstall:M /answers:a", false, false, "", "", "", "cannot be used together"},
        // A bad word before /quiet, or /? beside it, must not bring a window back.
        LineCase{"/bogus /quiet /log:X", false, true, "", "", "", "unknown switch \"/bogus\""},
        LineCase{"a.ini /QUIET /answers:b.ini", false, true, "", "", "", "unknown argument"},
        LineCase{"/answers:a /answers:b /quiet", false, true, "", "", "", "twice"},
        LineCase{"/quiet /?", false, true, "", "", "", "which /quiet does not allow"},
        LineCase{"/? -quiet", false, true, "", "", "", "which /quiet does not allow"},
        LineCase{"/query:M /answers:a /quiet", false, true, "", "", "", "cannot be used with"},
        LineCase{"/query:M /uninstall:M", false, false, "", "", "", "cannot be used with"}));

TEST(CommandLine, QueryNeedsNoQuietAndTakesALog) {
  for (const char* arguments : {"/query:TP-R80-ReceiptPrinter /log:q.log",
                                "-QUERY:TP-R80-ReceiptPrinter /quiet /log:q.log"}) {
    const unattended::CommandLine line = ParseCommandLine(arguments);
    EXPECT_EQ(line.error, "") << arguments;
    EXPECT_FALSE(line.interactive()) << arguments;
    EXPECT_EQ(line.queryModel, "TP-R80-ReceiptPrinter") << arguments;
    EXPECT_EQ(line.logPath, "q.log") << arguments;
  }
}

TEST(CommandLine, HelpAloneIsNoError) {
  const unattended::CommandLine line = ParseCommandLine("/?");
  EXPECT_TRUE(line.help);
  EXPECT_FALSE(line.interactive());
  EXPECT_EQ(line.error, "");
}

}  // namespace
