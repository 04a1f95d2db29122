#include "framework/text_compare.h"

#include <gtest/gtest.h>

namespace kelvra {
namespace {

TEST(TextCompare, EqualsIgnoresAsciiCaseOnly) {
  EXPECT_TRUE(EqualsNoCase("NervaServer", "NERVASERVER"));
  EXPECT_TRUE(EqualsNoCase("", ""));
  EXPECT_FALSE(EqualsNoCase("pelmo", "pelm"));
  EXPECT_FALSE(EqualsNoCase("pelmo", "pelmo "));
  // '@' and '`' sit next to 'A' and 'a'; a sloppy fold would merge [ with {.
  EXPECT_FALSE(EqualsNoCase("[", "{"));
  EXPECT_FALSE(EqualsNoCase("@", "`"));
}

TEST(TextCompare, ToUpperLeavesNonLettersAlone) {
  EXPECT_EQ(ToUpper("ferrix pelmo-2 {z}"), "FERRIX PELMO-2 {Z}");
  EXPECT_EQ(ToUpper(""), "");
  EXPECT_EQ(ToUpper("\xe9t\xe9"), "\xe9T\xe9");
}

}  // namespace
}  // namespace kelvra
