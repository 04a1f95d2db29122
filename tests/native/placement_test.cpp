#include "framework/placement.h"

#include <gtest/gtest.h>

namespace kelvra {
namespace {

TEST(Placement, CentresWithOffset) {
  const ScreenPoint origin = PageOrigin({0, 0, 1024, 768}, 400, 300);
  EXPECT_EQ(origin.x, 332);
  EXPECT_EQ(origin.y, 254);
}

TEST(Placement, OddSizesTruncate) {
  // (0 + 1023) / 2 = 511, 401 / 2 = 200.
  const ScreenPoint origin = PageOrigin({0, 0, 1023, 767}, 401, 301);
  EXPECT_EQ(origin.x, 331);
  EXPECT_EQ(origin.y, 253);
}

TEST(Placement, LeftMonitorTruncatesTowardZero) {
  // -1281 / 2 is -640, not -641 (flooring); -1025 / 2 is -512.
  const ScreenPoint origin = PageOrigin({-1281, -1025, 0, 0}, 401, 301);
  EXPECT_EQ(origin.x, -820);
  EXPECT_EQ(origin.y, -642);
}

}  // namespace
}  // namespace kelvra
