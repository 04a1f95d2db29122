// Geometry of the owner-drawn bitmap menu's entries: a bitmap column on the
// left, then the text. Sizes are pixels; text sizes are the menu font's.
#pragma once

#include <vector>

namespace features {

// All separators carry this command.
constexpr unsigned kSeparatorCommand = 2048;

// An entry's band: 20 pixels, or the text height + 4 when the text is taller than 13.
int MenuBandHeight(int textHeight);

struct MenuEntrySize {
  int width;
  int height;
};

// The size of a separator (flat: the invisible one between two sub-menus) or
// of an entry with text of the given size; the text starts 48 pixels in.
MenuEntrySize MeasureMenuEntry(bool separator, bool flatSeparator, int textWidth, int textHeight);

// Extra height for the entry measured `measureCount`-th when it follows a
// sub-menu entry and the font is taller than 17; `isSubMenu` has one flag per
// entry of the menu. Zero in a menu without sub-menus.
int SubMenuHeightExtra(const std::vector<bool>& isSubMenu, int measureCount, int textHeight);

struct MenuBand {
  int top;
  int bottom;
};

// Where an entry's band lies in its rectangle: at the bottom, except for a
// sub-menu entry that does not follow another sub-menu entry.
MenuBand MenuEntryBand(int rectTop, int rectBottom, int textHeight, bool subMenu,
                       bool afterSubMenu);

}  // namespace features
