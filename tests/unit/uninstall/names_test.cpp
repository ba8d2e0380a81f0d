// Names compared as Windows compares them, and a printer's list of ports.
#include "uninstall/names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct NameCase {
  const char* a;
  const char* b;
  bool same;
};

// "\x81\x41" and "\x81\x61" are two different double-byte characters of code page 936 whose
// second bytes look like "A" and "a".
const NameCase kNameCases[] = {
    {"TP-R80(S)", "tp-r80(s)", true},
    {"TP Serial Monitor", "TP SERIAL MONITOR", true},
    {"TP-R80(S)", "TP-R80(S)(1)", false},
    {"TP-R80", "TP-R8O", false},
    {"\x81\x41", "\x81\x61", false},
    {"\xB4\xF2\x41", "\xB4\xF2\x61", true},
    {"", "", true},
};

TEST(Names, CaseOfAsciiLettersOnlyOutsideDoubleByteCharacters) {
  for (const NameCase& c : kNameCases) {
    EXPECT_EQ(uninstall::SameName(c.a, c.b), c.same) << c.a << " / " << c.b;
  }
}

TEST(Names, APortListSplitsAtCommasAndSkipsEmptyParts) {
  using List = std::vector<std::string>;
  EXPECT_EQ(uninstall::SplitPortList("KSCOM1:"), List{"KSCOM1:"});
  EXPECT_EQ(uninstall::SplitPortList("LPT1:,KSCOM2:"), (List{"LPT1:", "KSCOM2:"}));
  EXPECT_EQ(uninstall::SplitPortList(",LPT1:,,"), List{"LPT1:"});
  EXPECT_EQ(uninstall::SplitPortList(""), List{});
}

TEST(Names, AddNameKeepsOneOfEachWhateverItsCase) {
  std::vector<std::string> names;
  uninstall::AddName(names, "TPPROC.DLL");
  uninstall::AddName(names, "tpproc.dll");
  uninstall::AddName(names, "nTPPROC.DLL");
  EXPECT_EQ(names, (std::vector<std::string>{"TPPROC.DLL", "nTPPROC.DLL"}));
}

}  // namespace
