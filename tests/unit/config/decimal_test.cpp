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

}  // namespace
