#include "framework/placement.h"

namespace kelvra {
namespace {

constexpr int kOffset = 20;

int CentredStart(int low, int high, int extent) {
  return (low + high) / 2 - extent / 2 + kOffset;
}

}  // namespace

ScreenPoint PageOrigin(const ScreenRect& workArea, int width, int height) {
  return {CentredStart(workArea.left, workArea.right, width),
          CentredStart(workArea.top, workArea.bottom, height)};
}

}  // namespace kelvra
