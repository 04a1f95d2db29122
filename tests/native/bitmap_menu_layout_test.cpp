#include "features/bitmap_menu_layout.h"

#include <gtest/gtest.h>

namespace features {
namespace {

TEST(BitmapMenuLayout, EntrySizes) {
  struct Case {
    bool separator, flat;
    int textWidth, textHeight;
    int width, height;
  };
  const Case cases[] = {
      {false, false, 100, 13, 156, 20},  // text starts at 48, 8 to spare
      {false, false, 100, 14, 156, 18}, {false, false, 0, 22, 56, 26},
      {true, false, 100, 13, 40, 9},    {true, true, 100, 30, 40, 0},
  };
  for (const Case& c : cases) {
    const MenuEntrySize size = MeasureMenuEntry(c.separator, c.flat, c.textWidth, c.textHeight);
    EXPECT_EQ(size.width, c.width) << c.textWidth << "x" << c.textHeight;
    EXPECT_EQ(size.height, c.height) << c.textWidth << "x" << c.textHeight;
  }
}

TEST(BitmapMenuLayout, BandSitsAtTheBottomExceptForALeadingSubMenu) {
  struct Case {
    bool subMenu, afterSubMenu;
    int textHeight;
    int top, bottom;
  };
  const Case cases[] = {
      {false, false, 13, 30, 50}, {false, false, 16, 30, 50}, {true, false, 13, 10, 30},
      {true, true, 13, 30, 50},   {false, true, 20, 26, 50},
  };
  for (const Case& c : cases) {
    const MenuBand band = MenuEntryBand(10, 50, c.textHeight, c.subMenu, c.afterSubMenu);
    EXPECT_EQ(band.top, c.top) << c.subMenu << c.afterSubMenu << c.textHeight;
    EXPECT_EQ(band.bottom, c.bottom) << c.subMenu << c.afterSubMenu << c.textHeight;
  }
}

TEST(BitmapMenuLayout, TallFontsAfterASubMenuGetExtraHeight) {
  const std::vector<bool> plain = {false, false, false};
  const std::vector<bool> mixed = {true, false, true, false};
  EXPECT_EQ(SubMenuHeightExtra(plain, 2, 24), 0);
  EXPECT_EQ(SubMenuHeightExtra(mixed, 1, 24), 8);  // second entry follows a sub-menu
  EXPECT_EQ(SubMenuHeightExtra(mixed, 2, 24), 8);
  EXPECT_EQ(SubMenuHeightExtra(mixed, 1, 17), 0);
  EXPECT_EQ(SubMenuHeightExtra(mixed, 3, 24), 0);
}

}  // namespace
}  // namespace features
