// The bitmap menu and transparent drawing, on menus and memory contexts made
// here; the popup as the user sees it is tested with the feature page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "features/bitmap_menu.h"
#include "kit/scoped_handle.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A 24-bit memory surface filled with one colour.
class Surface {
 public:
  Surface(int width, int height, COLORREF fill) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    dc_ = std::make_unique<kit::ScopedMemoryDC>(nullptr, bitmap_.get());
    const kit::ScopedBrush brush(CreateSolidBrush(fill));
    const RECT all{0, 0, width, height};
    FillRect(dc_->get(), &all, brush.get());
  }
  HDC dc() const { return dc_->get(); }
  COLORREF At(int x, int y) const { return GetPixel(dc(), x, y); }

 private:
  kit::ScopedBitmap bitmap_;
  std::unique_ptr<kit::ScopedMemoryDC> dc_;
};

std::vector<COLORREF> Pixels(HBITMAP bitmap, int width, int height) {
  kit::ScopedMemoryDC dc(nullptr, bitmap);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc.get(), x, y));
  return pixels;
}

kit::ScopedBitmap StateBitmap(UINT id) {
  return kit::ScopedBitmap(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
}

TEST(DrawTransparentBitmap, KeepsTheBackgroundWhereTheBitmapHasTheTransparentColour) {
  const COLORREF background = RGB(10, 200, 30);
  const kit::ScopedBitmap bitmap = StateBitmap(8007);
  ASSERT_TRUE(bitmap);
  const std::vector<COLORREF> before = Pixels(bitmap.get(), 34, 18);
  const COLORREF clear = before[0];  // the popup's choice: the top-left pixel
  ASSERT_EQ(clear, kWhite);

  Surface target(50, 30, background);
  DrawTransparentBitmap(target.dc(), bitmap.get(), 7, 5, clear);

  int transparent = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 50; ++x) {
      const bool inside = x >= 7 && x < 41 && y >= 5 && y < 23;
      const COLORREF source = inside ? before[(y - 5) * 34 + (x - 7)] : background;
      const COLORREF expected = source == clear ? background : source;
      transparent += inside && source == clear;
      ASSERT_EQ(target.At(x, y), expected) << x << "," << y;
    }
  }
  EXPECT_GT(transparent, 300) << "the white around the picture is transparent";
  EXPECT_EQ(Pixels(bitmap.get(), 34, 18), before) << "the bitmap itself is put back";
}

// A plain menu: Open (checked), a separator, two sub-menus in a row, Greyed.
kit::ScopedMenu SourceMenu(HMENU* more) {
  kit::ScopedMenu menu(CreatePopupMenu());
  HMENU moreMenu = CreatePopupMenu();
  HMENU lessMenu = CreatePopupMenu();
  AppendMenuA(moreMenu, MF_STRING, 20, "A");
  AppendMenuA(lessMenu, MF_STRING, 30, "B");
  AppendMenuA(menu.get(), MF_STRING | MF_CHECKED, 10, "Open");
  AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(moreMenu), "More");
  AppendMenuA(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(lessMenu), "Less");
  AppendMenuA(menu.get(), MF_STRING | MF_GRAYED, 40, "Greyed");
  *more = moreMenu;
  return menu;
}

struct EntrySeen {
  UINT id;
  bool ownerDraw, popup, checked, greyed;
  ULONG_PTR data;
  bool operator==(const EntrySeen& o) const {
    return id == o.id && ownerDraw == o.ownerDraw && popup == o.popup && checked == o.checked &&
           greyed == o.greyed && data == o.data;
  }
};

std::vector<EntrySeen> Entries(HMENU menu) {
  std::vector<EntrySeen> entries;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_DATA;
    GetMenuItemInfoA(menu, i, TRUE, &info);
    entries.push_back({info.hSubMenu ? 0 : info.wID, (info.fType & MFT_OWNERDRAW) != 0,
                       info.hSubMenu != nullptr, (info.fState & MFS_CHECKED) != 0,
                       (info.fState & MFS_GRAYED) != 0, info.dwItemData});
  }
  return entries;
}

TEST(BitmapMenu, CopiesEveryEntryOwnerDrawnWithItsRecord) {
  HMENU sourceMore = nullptr;
  const kit::ScopedMenu source = SourceMenu(&sourceMore);
  HMENU copiedMore = nullptr;
  {
    CBitmapMenu menu;
    EXPECT_EQ(menu.GetOwnerDraw(), 1);
    ASSERT_EQ(menu.CopyFrom(source.get()), 1);
    const ULONG_PTR flat = static_cast<ULONG_PTR>(-1);
    const std::vector<EntrySeen> expected = {
        {10, true, false, true, false, 0}, {2048, true, false, false, false, 1},
        {0, true, true, false, false, 0},  {2048, true, false, false, false, flat},
        {0, true, true, false, false, 0},  {40, true, false, false, true, 0},
    };
    EXPECT_EQ(Entries(menu.Handle()), expected);

    copiedMore = GetSubMenu(menu.Handle(), 2);
    ASSERT_NE(copiedMore, nullptr);
    EXPECT_NE(copiedMore, sourceMore) << "sub-menus are copies";
    EXPECT_EQ(Entries(copiedMore), (std::vector<EntrySeen>{{20, true, false, false, false, 0}}));

    std::string text;
    const std::pair<UINT, std::pair<int, const char*>> lookups[] = {
        {10, {0, "Open"}},
        {2048, {1, ""}},
        {static_cast<UINT>(reinterpret_cast<UINT_PTR>(copiedMore)), {2, "More"}},
        {40, {5, "Greyed"}},
        {99, {-1, "unchanged"}},
    };
    for (const auto& lookup : lookups) {
      text = "unchanged";
      EXPECT_EQ(menu.GetItemText(lookup.first, &text), lookup.second.first) << lookup.first;
      EXPECT_EQ(text, lookup.second.second) << lookup.first;
    }
    EXPECT_EQ(menu.CheckItem(40, MF_CHECKED), 1);
    EXPECT_TRUE(GetMenuState(menu.Handle(), 5, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_EQ(menu.CheckItem(99, MF_CHECKED), 0);
  }
  EXPECT_FALSE(IsMenu(copiedMore)) << "the copy's sub-menus go with it";
  EXPECT_TRUE(IsMenu(sourceMore)) << "the source is left alone";
}

TEST(BitmapMenu, WithoutOwnerDrawTheEntriesKeepTheirText) {
  HMENU sourceMore = nullptr;
  const kit::ScopedMenu source = SourceMenu(&sourceMore);
  CBitmapMenu menu;
  menu.SetOwnerDraw(0);
  ASSERT_EQ(menu.CopyFrom(source.get()), 1);
  std::vector<std::string> texts;
  for (int i = 0; i < GetMenuItemCount(menu.Handle()); ++i) {
    char text[64] = "";
    GetMenuStringA(menu.Handle(), i, text, sizeof text, MF_BYPOSITION);
    texts.push_back(text);
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"Open", "", "More", "Less", "Greyed"}))
      << "no flat separator between the sub-menus";
  EXPECT_FALSE(Entries(menu.Handle())[0].ownerDraw);
}

SIZE MenuTextSize(const std::string& text) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  const kit::ScopedFont font(CreateFontIndirectA(&metrics.lfMenuFont));
  kit::ScopedMemoryDC dc(nullptr, font.get());
  SIZE size{};
  GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

TEST(BitmapMenu, MeasuresTextInTheMenuFont) {
  const kit::ScopedMenu source(CreatePopupMenu());
  AppendMenuA(source.get(), MF_STRING, 8, "Installs the option in the local machine.");
  AppendMenuA(source.get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuA(source.get(), MF_STRING, 1, "");
  CBitmapMenu menu;
  menu.CopyFrom(source.get());

  const SIZE text = MenuTextSize("Installs the option in the local machine.");
  const SIZE bug = MenuTextSize("<Bug>");
  const int band = text.cy > 13 ? text.cy + 4 : 20;
  struct Case {
    UINT id;
    ULONG_PTR data;
    UINT width, height;
  };
  const Case cases[] = {
      {8, 0, static_cast<UINT>(text.cx + 56), static_cast<UINT>(band)},
      {2048, 1, 40, 9},
      {2048, static_cast<ULONG_PTR>(-1), 40, 0},
      {1, 0, static_cast<UINT>(bug.cx + 56), static_cast<UINT>(band)},
  };
  int count = 0;
  for (const Case& c : cases) {
    MEASUREITEMSTRUCT item{ODT_MENU, 0, c.id, 0, 0, c.data};
    menu.MeasureItem(item);
    EXPECT_EQ(item.itemWidth, c.width) << c.id;
    EXPECT_EQ(item.itemHeight, c.height) << c.id;
    EXPECT_EQ(menu.MeasureCount(), ++count);
  }
}

TEST(BitmapMenu, DrawsTheBitmapTransparentlyAndHighlightsTheSelectedText) {
  const kit::ScopedBitmap local = StateBitmap(8007);
  const kit::ScopedMenu source(CreatePopupMenu());
  AppendMenuA(source.get(), MF_STRING, 8, "Local");
  CBitmapMenu menu;
  menu.CopyFrom(source.get());

  // The entry's band lies at its bottom; the bitmap is centred on it.
  const int textHeight = MenuTextSize("Local").cy;
  const int band = textHeight > 13 ? textHeight + 4 : 20;
  const int bitmapTop = 30 - band + band / 2 - 8;
  for (const bool selected : {false, true}) {
    SCOPED_TRACE(selected ? "selected" : "not selected");
    Surface surface(200, 40, RGB(1, 2, 3));
    const RECT entry{0, 10, 200, 30};
    DRAWITEMSTRUCT item{ODT_MENU,
                        0,
                        8,
                        ODA_DRAWENTIRE,
                        selected ? ODS_SELECTED : 0u,
                        nullptr,
                        surface.dc(),
                        entry,
                        reinterpret_cast<ULONG_PTR>(local.get())};
    menu.DrawItem(item);
    const COLORREF textBack = selected ? GetSysColor(COLOR_HIGHLIGHT) : kWhite;
    const std::vector<COLORREF> bitmap = Pixels(local.get(), 34, 18);
    // The bitmap at x = 2, over the white column.
    for (int y = 0; y < 18; ++y)
      for (int x = 0; x < 34; ++x)
        ASSERT_EQ(surface.At(2 + x, bitmapTop + y), bitmap[y * 34 + x]) << x << "," << y;
    EXPECT_EQ(surface.At(0, 10), kWhite);
    EXPECT_EQ(surface.At(195, 28), textBack) << "text area";
    EXPECT_EQ(surface.At(100, 5), RGB(1, 2, 3)) << "nothing outside the entry";
  }
}

}  // namespace
