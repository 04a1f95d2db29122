#include "pages/options/content_rows.h"

#include <gtest/gtest.h>

#include <climits>

namespace kelvra {
namespace {

TEST(ContentRows, SplitsFieldsLeftToRight) {
  struct Case {
    const char *text, *valueName, *label, *description;
    int image;
  };
  const Case cases[] = {
      {"ANSI;ANSI parts;Inch parts;2", "ANSI", "ANSI parts", "Inch parts", 2},
      {"ANSI", "", "", "", 0},
      {"ANSI;American", "ANSI", "", "", 0},
      {"ANSI;American;7", "ANSI", "American", "", 7},  // the third field is the image
      {"ANSI;American;parts;", "ANSI", "American", "parts", 0},
      {"ANSI;American;parts;3;extra", "ANSI", "American", "parts", 3},
      {"ANSI;American;parts; -4x", "ANSI", "American", "parts", -4},
      {"DIN;;;5", "DIN", "", "", 5},
      {"ISO;a;b;99999999999999", "ISO", "a", "b", INT_MAX},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const ContentRowRecord row = SplitContentRow(c.text);
    EXPECT_EQ(row.valueName, c.valueName);
    EXPECT_EQ(row.label, c.label);
    EXPECT_EQ(row.description, c.description);
    EXPECT_EQ(row.imageIndex, c.image);
  }
}

TEST(ContentRows, ValuesByPositionWithAllBitsForMissingRows) {
  const std::vector<int> states = {1, 0, -1};
  const uint32_t expected[] = {1, 0, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(ContentValueAt(states, i), expected[i]) << i;
}

}  // namespace
}  // namespace kelvra
