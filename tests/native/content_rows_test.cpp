#include "pages/options/content_rows.h"

#include <gtest/gtest.h>

#include <climits>

namespace kelvra {
namespace {

TEST(ContentRows, SplitsFieldsLeftToRight) {
  struct Case {
    const wchar_t *text, *valueName, *label, *description;
    int image;
  };
  const Case cases[] = {
      {L"ANSI;ANSI parts;Inch parts;2", L"ANSI", L"ANSI parts", L"Inch parts", 2},
      {L"ANSI", L"", L"", L"", 0},
      {L"ANSI;American", L"ANSI", L"", L"", 0},
      {L"ANSI;American;7", L"ANSI", L"American", L"", 7},  // the third field is the image
      {L"ANSI;American;parts;", L"ANSI", L"American", L"parts", 0},
      {L"ANSI;American;parts;3;extra", L"ANSI", L"American", L"parts", 3},
      {L"ANSI;American;parts; -4x", L"ANSI", L"American", L"parts", -4},
      {L"DIN;;;5", L"DIN", L"", L"", 5},
      {L"ISO;a;b;99999999999999", L"ISO", L"a", L"b", INT_MAX},
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
