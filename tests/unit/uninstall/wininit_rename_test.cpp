// The "NUL=" line goes to the end of WININIT.INI's [rename] section, every other byte kept.
#include "uninstall/wininit_rename.h"

#include <gtest/gtest.h>

namespace {

struct RenameCase {
  const char* name;
  const char* before;
  const char* after;
};

const RenameCase kCases[] = {
    {"NoFile", "", "[rename]\r\nNUL=A\r\n"},
    {"NoSection", "[other]\r\nx=1\r\n", "[other]\r\nx=1\r\n[rename]\r\nNUL=A\r\n"},
    {"LastLineUnended", "[other]\r\nx=1", "[other]\r\nx=1\r\n[rename]\r\nNUL=A\r\n"},
    {"SectionLast", "[rename]\r\nNUL=B\r\n", "[rename]\r\nNUL=B\r\nNUL=A\r\n"},
    {"SectionFirst", "[Rename]\r\nNUL=B\n[x]\r\n;c\r\n",
     "[Rename]\r\nNUL=B\nNUL=A\r\n[x]\r\n;c\r\n"},
    {"HeaderWithBlanks", "  [RENAME]  \r\n\r\n[x]\r\n", "  [RENAME]  \r\n\r\nNUL=A\r\n[x]\r\n"},
    {"SectionUnended", "[x]\r\n[rename]\r\nNUL=B", "[x]\r\n[rename]\r\nNUL=B\r\nNUL=A\r\n"},
};

class WithRenameLineTable : public ::testing::TestWithParam<RenameCase> {};

TEST_P(WithRenameLineTable, AddsTheLineAndKeepsTheRest) {
  EXPECT_EQ(uninstall::WithRenameLine(GetParam().before, "NUL=A"), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Table, WithRenameLineTable, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
