#include "config/decimal.h"

#include <gtest/gtest.h>

namespace {

using config::ParseDecimal;
using config::ParseDecimal16;

TEST(ParseDecimal, ReadsLeadingDigitsOnly) {
  EXPECT_EQ(ParseDecimal("9600"), 9600);
  EXPECT_EQ(ParseDecimal("3abc"), 3);
  EXPECT_EQ(ParseDecimal("abc"), 0);
  EXPECT_EQ(ParseDecimal(""), 0);
  EXPECT_EQ(ParseDecimal("12 34"), 12);
}

TEST(ParseDecimal, AllowsBlanksAndOneSign) {
  EXPECT_EQ(ParseDecimal("   42"), 42);
  EXPECT_EQ(ParseDecimal("\t-17"), -17);
  EXPECT_EQ(ParseDecimal("+5"), 5);
  EXPECT_EQ(ParseDecimal("--5"), 0);
  EXPECT_EQ(ParseDecimal("- 5"), 0);
}

TEST(ParseDecimal, DoesNotKnowHexadecimal) {
  EXPECT_EQ(ParseDecimal("0x10"), 0);
  EXPECT_EQ(ParseDecimal("0010"), 10);
}

TEST(ParseDecimal, SaturatesInsteadOfOverflowing) {
  EXPECT_EQ(ParseDecimal("2147483647"), 2147483647);
  EXPECT_EQ(ParseDecimal("2147483648"), 2147483647);
  EXPECT_EQ(ParseDecimal("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ParseDecimal("99999999999999999999999999"), 2147483647);
  EXPECT_EQ(ParseDecimal("-99999999999999999999999999"), -2147483647 - 1);
}

TEST(ParseDecimal16, KeepsTheLowSixteenBits) {
  EXPECT_EQ(ParseDecimal16("70000"), 70000 - 65536);
  EXPECT_EQ(ParseDecimal16("65535"), 65535);
  EXPECT_EQ(ParseDecimal16("-1"), 0xFFFF);
  EXPECT_EQ(ParseDecimal16("148"), 148);
}

TEST(ParseUnsignedDecimal, ReadsTheWholeUnsignedRange) {
  const struct {
    const char* text;
    std::uint32_t expected;
  } cases[] = {
      {"2147483648", 0x80000000u},  // every bit set before, as a saturated signed value
      {"4294967295", 0xFFFFFFFFu},
      {"4294967296", 0xFFFFFFFFu},
      {"99999999999999999999999", 0xFFFFFFFFu},
      {"93983", 93983u},
      {"-1", 0xFFFFFFFFu},
      {"-2147483648", 0x80000000u},
      {"-99999999999", 0x80000000u},
      {"0x10", 0u},
      {"", 0u},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(config::ParseUnsignedDecimal(c.text), c.expected) << c.text;
  }
}

TEST(ScanDecimal, TellsAPlainNumberFromOneThatReadsOtherwise) {
  const struct {
    const char* text;
    bool plain;
    std::int64_t value;
  } cases[] = {
      {"9600", true, 9600},
      {" -17 ", true, -17},
      {"+5", true, 5},
      {"9600 baud", false, 9600},
      {"0x10", false, 0},
      {"", false, 0},
      {"-", false, 0},
      {"12 34", false, 12},
      {"4294967296", true, 4294967296},
  };
  for (const auto& c : cases) {
    const config::DecimalText scanned = config::ScanDecimal(c.text);
    EXPECT_EQ(scanned.plain, c.plain) << c.text;
    EXPECT_EQ(scanned.value(), c.value) << c.text;
  }
}

}  // namespace
