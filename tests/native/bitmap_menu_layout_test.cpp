#include "features/bitmap_menu_layout.h"

#include <gtest/gtest.h>

namespace features {
namespace {

// Sizes and bands are checked on real entries under Wine; this is the part
// only menus with sub-menus and tall fonts reach.
TEST(BitmapMenuLayout, TallFontsAfterASubMenuGetExtraHeight) {
  const std::vector<bool> mixed = {true, false, true, false};
  EXPECT_EQ(SubMenuHeightExtra({false, false, false}, 2, 24), 0);
  EXPECT_EQ(SubMenuHeightExtra(mixed, 1, 24), 8);
  EXPECT_EQ(SubMenuHeightExtra(mixed, 1, 17), 0);
  EXPECT_EQ(SubMenuHeightExtra(mixed, 3, 24), 0);
  EXPECT_EQ(MenuEntryBand(10, 50, 13, true, false).bottom, 30) << "a leading sub-menu: at the top";
}

}  // namespace
}  // namespace features
