#include "framework/ansi_text.h"

#include <gtest/gtest.h>

#include "tests/native/code_pages.h"

namespace kelvra {
namespace {

// "\x83\x41" is one character in code page 932, whose second byte is 'A'.
TEST(AnsiText, CutsAndSearchesKeepCharactersWhole) {
  EXPECT_EQ(CutToLength("ab\x83\x41", 3, kCp932), "ab");
  EXPECT_EQ(CutToLength("ab\x83\x41", 3, kSingleByte), "ab\x83");
  EXPECT_EQ(CutToLength("ab\x83\x41", 4, kCp932), "ab\x83\x41");
  EXPECT_EQ(CutToLength("a\x83\x41"
                        "b",
                        3, kCp932),
            "a\x83\x41");

  const CharacterSearch japanese(
      "X;\x83\x41"
      "B",
      kCp932);
  EXPECT_FALSE(japanese.Contains("A"));
  EXPECT_FALSE(japanese.Contains("AB"));
  EXPECT_TRUE(japanese.Contains("B"));
  EXPECT_TRUE(japanese.Contains("\x83\x41"));
  EXPECT_TRUE(japanese.Contains(""));
  EXPECT_TRUE(CharacterSearch("X;\x83\x41"
                              "B",
                              kSingleByte)
                  .Contains("AB"));
  // A match inside a character is passed over for a later whole one.
  EXPECT_TRUE(CharacterSearch("\x83\x41;A", kCp932).Contains("A"));
}

}  // namespace
}  // namespace kelvra
