#include "framework/text_compare.h"

#include <gtest/gtest.h>

namespace kelvra {
namespace {

TEST(TextCompare, EqualsIgnoresAsciiCaseOnly) {
  EXPECT_TRUE(EqualsNoCase(L"NervaServer", L"NERVASERVER"));
  EXPECT_TRUE(EqualsNoCase(L"", L""));
  EXPECT_FALSE(EqualsNoCase(L"pelmo", L"pelm"));
  EXPECT_FALSE(EqualsNoCase(L"pelmo", L"pelmo "));
  // '@' and '`' sit next to 'A' and 'a'; a sloppy fold would merge [ with {.
  EXPECT_FALSE(EqualsNoCase(L"[", L"{"));
  EXPECT_FALSE(EqualsNoCase(L"@", L"`"));
  // U+0141 and U+0161 have the low bytes of 'A' and 'a': folding a narrowed
  // unit would merge them.
  EXPECT_FALSE(EqualsNoCase(L"\u0141", L"a"));
  EXPECT_FALSE(EqualsNoCase(L"\u0161", L"A"));
}

TEST(TextCompare, ToUpperLeavesNonLettersAlone) {
  EXPECT_EQ(ToUpper(L"ferrix pelmo-2 {z}"), L"FERRIX PELMO-2 {Z}");
  EXPECT_EQ(ToUpper(L""), L"");
  EXPECT_EQ(ToUpper(L"\xe9t\xe9 \u0161"), L"\xe9T\xe9 \u0161");
}

}  // namespace
}  // namespace kelvra
