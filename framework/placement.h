// Where a page window opens: centred on the work area, then nudged 20
// pixels right and down.
#pragma once

namespace kelvra {

struct ScreenRect {
  int left, top, right, bottom;
};

struct ScreenPoint {
  int x, y;
};

// Integer division truncates toward zero, also for work areas left of or
// above the primary monitor.
ScreenPoint PageOrigin(const ScreenRect& workArea, int width, int height);

}  // namespace kelvra
