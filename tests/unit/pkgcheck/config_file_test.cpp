#include "pkgcheck/config_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using pkgcheck::ConfigFile;
using pkgcheck::Encoding;

TEST(ConfigFile, TellsTheEncodingAndItsFirstLine) {
  const struct {
    std::string bytes;
    Encoding encoding;
    int line;
  } cases[] = {
      {"[A]\r\nK=v\r\n", Encoding::kAnsi, 0},
      {"[A]\r\nK=\xC8\xC8\xC3\xF4\r\n", Encoding::kAnsi, 0},  // 热敏 in code page 936
      {"[A]\r\nX=1\r\nK=\xE7\x83\xAD\xE6\x95\x8F\r\n", Encoding::kUtf8, 3},
      {"[A]\nX=1\rY=2\r\nK=A\xFF\r\n", Encoding::kNotGbk, 4},
      {"\xEF\xBB\xBF[A]\r\nK=v\r\n", Encoding::kUtf8Bom, 1},
      {std::string("\xFF\xFE[\0A\0]\0\r\0\n\0", 12), Encoding::kUtf16, 1},
      {std::string("[\0A\0]\0\r\0\n\0K\0=\0v\0", 16), Encoding::kUtf16, 1},
  };
  for (const auto& c : cases) {
    const ConfigFile file("f.ini", c.bytes);
    EXPECT_EQ(file.encoding(), c.encoding) << c.bytes;
    EXPECT_EQ(file.encodingLine(), c.line) << c.bytes;
  }
}

TEST(ConfigFile, CountsLinesAsTheReaderSplitsThem) {
  // CR LF, lone LF and lone CR each end a line.
  const ConfigFile file("f.ini", "; c\r\n[Sec]\nA=1\rb=2\r\n\r\n[sec]\r\nA=3\r\n[Other]\r\nA=4");
  EXPECT_EQ(file.crlfCount(), 6);
  EXPECT_EQ(file.lfCount(), 1);
  EXPECT_EQ(file.crCount(), 1);
  EXPECT_EQ(file.SectionLine("SEC"), 2);
  EXPECT_EQ(file.KeyLine("sec", "B"), 4);
  // The reader answers from the first section of a name only.
  EXPECT_EQ(file.KeyLine("Sec", "a"), 3);
  EXPECT_EQ(file.Raw("Other", "A"), "4");
  EXPECT_EQ(file.KeyLine("Sec", "missing"), 0);
  EXPECT_FALSE(file.Raw("Missing", "A").has_value());
  const auto keys = file.Keys("Sec");
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[1], std::make_pair(std::string("b"), 4));
}

TEST(Unquoted, RemovesOnePairOfMatchingQuotes) {
  EXPECT_EQ(pkgcheck::Unquoted("\"x\""), "x");
  EXPECT_EQ(pkgcheck::Unquoted("'x'"), "x");
  EXPECT_EQ(pkgcheck::Unquoted("\"x'"), "\"x'");
  EXPECT_EQ(pkgcheck::Unquoted("\""), "\"");
}

}  // namespace
