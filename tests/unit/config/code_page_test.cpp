#include "config/code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using config::CopyWholeCharacters;
using config::LastPathSeparator;
using config::WholeCharacterLength;

// 淺 is B2 5C in code page 936: its second byte is a backslash.
const std::string kShallow = "\xB2\x5C";
// 安装 in code page 936.
const std::string kInstall = "\xB0\xB2\xD7\xB0";

TEST(LastPathSeparator, SkipsBackslashesInsideDoubleByteCharacters) {
  const struct {
    std::string path;
    std::size_t expected;
  } cases[] = {
      {"C:\\Setup\\prog.exe", 8},
      {"C:\\Pkg\\" + kInstall + kShallow + ".exe", 6},
      {"C:\\" + kShallow + "\\Setup.exe", 5},
      {"Setup.exe", std::string::npos},
      {kShallow + "Setup.exe", std::string::npos},
      // A lead byte as the last byte has no second byte to take.
      {std::string("C:\\a\\\xB2"), 4},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LastPathSeparator(c.path), c.expected) << c.path;
  }
}

TEST(WholeCharacterLength, NeverEndsInHalfACharacter) {
  const std::string text = "AB" + kInstall;  // A B 安 装: six bytes
  const struct {
    std::size_t limit;
    std::size_t expected;
  } cases[] = {{0, 0}, {2, 2}, {3, 2}, {4, 4}, {5, 4}, {6, 6}, {50, 6}};
  for (const auto& c : cases) {
    EXPECT_EQ(WholeCharacterLength(text, c.limit), c.expected) << c.limit;
  }
  // A text already cut by the profile reader behind a lead byte loses that byte.
  EXPECT_EQ(WholeCharacterLength("AB\xB0", 10), 2u);
}

TEST(CopyWholeCharacters, CutsAtACharacterBoundaryAndTerminates) {
  char out[6];
  EXPECT_FALSE(CopyWholeCharacters(out, "AB" + kInstall));  // room for 5 bytes: A B 安
  EXPECT_EQ(std::string(out), "AB\xB0\xB2");
  EXPECT_TRUE(CopyWholeCharacters(out, "ABC"));
  EXPECT_STREQ(out, "ABC");
}

}  // namespace
