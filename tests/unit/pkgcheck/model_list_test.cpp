#include "pkgcheck/model_list.h"

#include <gtest/gtest.h>

#include "pkgcheck/plan_output.h"
#include "pkgcheck/run.h"

namespace {

TEST(NearFamilySuffix, TellsSlipsFromOtherEntries) {
  const struct {
    const char* entry;
    int family;
  } cases[] = {
      {"TP-R80-RecieptPrinter", kReceiptPrinter},   // letters swapped
      {"TP-R80-receiptprinter", kReceiptPrinter},   // case
      {"TP-R80ReceiptPrinter", kReceiptPrinter},    // hyphen left out
      {"TP-T80-TicketPrnter", kTicketPrinter},      // a letter left out
      {"TP-L80-Label Printer", kLabelPrinter},      // a blank
      {"TP-E58-EmbededPrinter", kEmbeddedPrinter},  // a letter left out
      {"TP-K100-KioskPrinter", -1},
      {"TP-R80", -1},
      {"", -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(pkgcheck::NearFamilySuffix(c.entry), c.family) << c.entry;
  }
}

TEST(ParseSystem, TakesTheSectionSuffixesAndTheSystemsNames) {
  const struct {
    const char* name;
    int os;
  } cases[] = {{"98", kTargetWin98Me},
               {"nt", kTargetNt4},
               {"2K", kTargetWin2000},
               {"xp", kTargetWinXp},
               {"2003", kTargetServer2003},
               {"Windows XP", kTargetWinXp},
               {"95", -1},
               {"", -1}};
  for (const auto& c : cases) {
    EXPECT_EQ(pkgcheck::ParseSystem(c.name), c.os) << c.name;
  }
}

TEST(ParseOptions, ReadsTheCommandLine) {
  std::string error;
  const char* plan[] = {"pkgcheck", "--plan", "TP-R80", "XP", "pkg"};
  const auto options = pkgcheck::ParseOptions(5, plan, error);
  ASSERT_TRUE(options.has_value());
  EXPECT_TRUE(options->plan);
  EXPECT_EQ(options->planModel, "TP-R80");
  EXPECT_EQ(options->planSystem, "XP");
  EXPECT_EQ(options->folder, "pkg");
  const char* plain[] = {"pkgcheck", "--json", "--layout"};
  const auto defaults = pkgcheck::ParseOptions(3, plain, error);
  ASSERT_TRUE(defaults.has_value());
  EXPECT_TRUE(defaults->json && defaults->layout);
  EXPECT_EQ(defaults->folder, ".");
  const char* bad[][3] = {
      {"pkgcheck", "--plan", "M"}, {"pkgcheck", "--color", "x"}, {"pkgcheck", "a", "b"}};
  for (const auto& args : bad) {
    EXPECT_FALSE(pkgcheck::ParseOptions(3, args, error).has_value()) << args[1];
  }
}

}  // namespace
