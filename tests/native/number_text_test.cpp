#include "framework/number_text.h"

#include <gtest/gtest.h>

#include <climits>

namespace kelvra {
namespace {

TEST(ParseLeadingInt, FollowsAtoiRules) {
  EXPECT_EQ(ParseLeadingInt(L"42"), 42);
  EXPECT_EQ(ParseLeadingInt(L" \t\n\v\f\r-17abc"), -17);
  EXPECT_EQ(ParseLeadingInt(L"+8"), 8);
  EXPECT_EQ(ParseLeadingInt(L"007"), 7);
  EXPECT_EQ(ParseLeadingInt(L""), 0);
  EXPECT_EQ(ParseLeadingInt(L"x12"), 0);
  EXPECT_EQ(ParseLeadingInt(L"-"), 0);
  EXPECT_EQ(ParseLeadingInt(L"- 5"), 0);
  EXPECT_EQ(ParseLeadingInt(L"+-5"), 0);
  EXPECT_EQ(ParseLeadingInt(L"12 34"), 12);
}

TEST(ParseLeadingInt, SaturatesInsteadOfOverflowing) {
  EXPECT_EQ(ParseLeadingInt(L"2147483647"), INT_MAX);
  EXPECT_EQ(ParseLeadingInt(L"2147483648"), INT_MAX);
  EXPECT_EQ(ParseLeadingInt(L"99999999999999999999999999"), INT_MAX);
  EXPECT_EQ(ParseLeadingInt(L"-2147483648"), INT_MIN);
  EXPECT_EQ(ParseLeadingInt(L"-2147483649"), INT_MIN);
  EXPECT_EQ(ParseLeadingInt(L"-2147483647"), -2147483647);
  EXPECT_EQ(ParseLeadingInt(L"-99999999999999999999999999"), INT_MIN);
}

}  // namespace
}  // namespace kelvra
