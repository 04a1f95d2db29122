#include "features/bitmap_menu_layout.h"

namespace features {

int MenuBandHeight(int textHeight) {
  return textHeight > 13 ? textHeight + 4 : 20;
}

MenuEntrySize MeasureMenuEntry(bool separator, bool flatSeparator, int textWidth, int textHeight) {
  MenuEntrySize size{32, 20};
  if (separator) {
    size.height = flatSeparator ? 0 : 9;
  } else {
    size.width = textWidth + 48;
    size.height = MenuBandHeight(textHeight);
  }
  size.width += 8;
  return size;
}

int SubMenuHeightExtra(const std::vector<bool>& isSubMenu, int measureCount, int textHeight) {
  if (textHeight <= 17) return 0;
  int count = 0;
  int extra = 0;
  for (std::vector<bool>::size_type position = 0; position < isSubMenu.size(); ++position) {
    if (!isSubMenu[position]) ++count;
    if (count == measureCount && position > 0 && isSubMenu[position - 1]) extra += textHeight - 16;
  }
  return extra;
}

MenuBand MenuEntryBand(int rectTop, int rectBottom, int textHeight, bool subMenu,
                       bool afterSubMenu) {
  const int height = MenuBandHeight(textHeight);
  if (subMenu && !afterSubMenu) return {rectTop, rectTop + height};
  return {rectBottom - height, rectBottom};
}

}  // namespace features
