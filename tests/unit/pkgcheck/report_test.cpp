#include "pkgcheck/report.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using pkgcheck::Report;
using pkgcheck::Severity;
using pkgcheck::Where;

std::string Same(const std::string& text) {
  return text;
}

TEST(Report, KeepsEachFindingOnceAndOrdersByFileThenLine) {
  Report report;
  report.Add(Severity::kWarning, Where{"winnt/X.DLL", 0, "", ""}, "file", "late");
  report.Add(Severity::kError, Where{"DRVCONFIG/setup_ticket.ini", 9, "S", "K"}, "b", "ticket");
  report.Add(Severity::kError, Where{"DRVCONFIG/setup.ini", 40, "", ""}, "a", "common 40");
  report.Add(Severity::kError, Where{"DRVCONFIG/setup.ini", 3, "", ""}, "a", "common 3");
  report.Add(Severity::kError, Where{"DRVCONFIG/setup_ticket.ini", 9, "S", "K"}, "b", "ticket");
  const auto ordered = report.Ordered();
  ASSERT_EQ(ordered.size(), 4u);
  EXPECT_EQ(ordered[0].message, "common 3");
  EXPECT_EQ(ordered[1].message, "common 40");
  EXPECT_EQ(ordered[2].message, "ticket");
  EXPECT_EQ(ordered[3].message, "late");
  EXPECT_EQ(report.Count(Severity::kError), 3);
  EXPECT_TRUE(report.Has("file"));
}

TEST(Report, ExitCodeFollowsTheWorstSeverity) {
  const struct {
    std::vector<Severity> severities;
    int exit;
  } cases[] = {{{}, 0},
               {{Severity::kNote}, 0},
               {{Severity::kNote, Severity::kWarning}, 1},
               {{Severity::kWarning, Severity::kError}, 2}};
  for (const auto& c : cases) {
    Report report;
    int n = 0;
    for (const Severity severity : c.severities) {
      report.Add(severity, Where{}, "c", std::to_string(n++));
    }
    EXPECT_EQ(report.ExitCode(), c.exit);
  }
}

TEST(Report, FormatsPlacesAndEscapesJson) {
  Report report;
  report.Add(Severity::kError, Where{"DRVCONFIG/setup.ini", 7, "DEVICENAME", "DEVICENUMBER"},
             "model-count", "a \"quoted\"\tvalue\\");
  const std::string text = pkgcheck::FormatText(report, "pkg", Same);
  EXPECT_NE(text.find("DRVCONFIG/setup.ini:7: error: [DEVICENAME] DEVICENUMBER: a \"quoted\""),
            std::string::npos);
  EXPECT_NE(text.find("pkgcheck: 1 error, 0 warnings, 0 notes in pkg"), std::string::npos);
  const std::string json = pkgcheck::FormatJson(report, "pkg", Same);
  EXPECT_NE(json.find(R"("message": "a \"quoted\"\u0009value\\")"), std::string::npos);
  EXPECT_NE(json.find(R"("line": 7)"), std::string::npos);
  EXPECT_NE(json.find(R"("exit": 2)"), std::string::npos);
}

}  // namespace
