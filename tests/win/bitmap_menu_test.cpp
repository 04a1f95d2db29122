// The bitmap menu and transparent drawing, on menus and memory contexts made
// here; the popup as the user sees it is tested with the feature page.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "features/bitmap_menu.h"
#include "kit/scoped_handle.h"
#include "res/kelvra_ids.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A 24-bit memory surface filled with one colour.
struct Surface {
  Surface(int width, int height, COLORREF fill) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    dc = std::make_unique<kit::ScopedMemoryDC>(nullptr, bitmap.get());
    const kit::ScopedBrush brush(CreateSolidBrush(fill));
    const RECT all{0, 0, width, height};
    FillRect(dc->get(), &all, brush.get());
  }
  COLORREF At(int x, int y) const { return GetPixel(dc->get(), x, y); }
  kit::ScopedBitmap bitmap;
  std::unique_ptr<kit::ScopedMemoryDC> dc;
};

// The local-install bitmap, 34 by 18, and its pixels row by row.
std::vector<COLORREF> LocalBitmap(kit::ScopedBitmap* bitmap) {
  bitmap->reset(LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_STATE_LOCAL)));
  kit::ScopedMemoryDC dc(nullptr, bitmap->get());
  std::vector<COLORREF> pixels;
  for (int y = 0; y < 18; ++y)
    for (int x = 0; x < 34; ++x) pixels.push_back(GetPixel(dc.get(), x, y));
  return pixels;
}

TEST(DrawTransparentBitmap, KeepsTheBackgroundWhereTheBitmapHasTheTransparentColour) {
  kit::ScopedBitmap bitmap;
  const std::vector<COLORREF> before = LocalBitmap(&bitmap);
  const COLORREF clear = before[0];  // the popup's choice: the top-left pixel
  const COLORREF background = RGB(10, 200, 30);
  Surface target(50, 30, background);
  DrawTransparentBitmap(target.dc->get(), bitmap.get(), 7, 5, clear);

  int transparent = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 50; ++x) {
      const bool inside = x >= 7 && x < 41 && y >= 5 && y < 23;
      const COLORREF source = inside ? before[(y - 5) * 34 + (x - 7)] : background;
      transparent += inside && source == clear;
      ASSERT_EQ(target.At(x, y), source == clear ? background : source) << x << L"," << y;
    }
  }
  EXPECT_GT(transparent, 300) << L"the white around the picture";
  kit::ScopedBitmap again;
  EXPECT_EQ(LocalBitmap(&again), before) << L"the bitmap is put back as it was";
}

struct EntrySeen {
  UINT id;  // 0 for a sub-menu
  UINT type, state;
  ULONG_PTR data;
  bool operator==(const EntrySeen& o) const {
    return id == o.id && type == o.type && state == o.state && data == o.data;
  }
};

std::vector<EntrySeen> Entries(HMENU menu) {
  std::vector<EntrySeen> entries;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_DATA;
    GetMenuItemInfoW(menu, i, TRUE, &info);
    entries.push_back({info.hSubMenu ? 0 : info.wID, info.fType,
                       info.fState & (MF_CHECKED | MF_GRAYED), info.dwItemData});
  }
  return entries;
}

TEST(BitmapMenu, CopiesEveryEntryOwnerDrawnWithItsRecord) {
  // Open (checked), a separator, two sub-menus in a row, Greyed.
  const kit::ScopedMenu source(CreatePopupMenu());
  HMENU more = CreatePopupMenu(), less = CreatePopupMenu();
  AppendMenuW(more, MF_STRING, 20, L"A");
  AppendMenuW(less, MF_STRING, 30, L"B");
  AppendMenuW(source.get(), MF_STRING | MF_CHECKED, 10, L"Open");
  AppendMenuW(source.get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuW(source.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(more), L"More");
  AppendMenuW(source.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(less), L"Less");
  AppendMenuW(source.get(), MF_STRING | MF_GRAYED, 40, L"Greyed");

  HMENU copiedMore = nullptr;
  {
    CBitmapMenu menu;
    ASSERT_EQ(menu.CopyFrom(source.get()), 1);
    const UINT od = MFT_OWNERDRAW;
    const std::vector<EntrySeen> expected = {{10, od, MF_CHECKED, 0}, {2048, od, 0, 1},
                                             {0, od, 0, 0},           {2048, od, 0, ULONG_PTR(-1)},
                                             {0, od, 0, 0},           {40, od, MF_GRAYED, 0}};
    EXPECT_EQ(Entries(menu.Handle()), expected);
    // Owner-drawn entries keep their text for GetMenuString and screen readers.
    const wchar_t* const texts[] = {L"Open", L"", L"More", L"", L"Less", L"Greyed"};
    for (int position = 0; position < 6; ++position) {
      wchar_t text[32] = L"";
      GetMenuStringW(menu.Handle(), position, text, std::size(text), MF_BYPOSITION);
      EXPECT_STREQ(text, texts[position]) << L"position " << position;
    }
    copiedMore = GetSubMenu(menu.Handle(), 2);
    EXPECT_NE(copiedMore, more) << L"sub-menus are copied";
    EXPECT_EQ(Entries(copiedMore), (std::vector<EntrySeen>{{20, od, 0, 0}}));

    const std::pair<UINT, std::pair<int, const wchar_t*>> lookups[] = {
        {2048, {1, L""}},
        {static_cast<UINT>(reinterpret_cast<UINT_PTR>(copiedMore)), {2, L"More"}},
        {40, {5, L"Greyed"}},
        {99, {-1, L"unchanged"}}};
    for (const auto& lookup : lookups) {
      std::wstring text = L"unchanged";
      EXPECT_EQ(menu.GetItemText(lookup.first, &text), lookup.second.first) << lookup.first;
      EXPECT_EQ(text, lookup.second.second) << lookup.first;
    }
    EXPECT_EQ(menu.CheckItem(40, MF_CHECKED), 1);
    EXPECT_TRUE(GetMenuState(menu.Handle(), 5, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_EQ(menu.CheckItem(99, MF_CHECKED), 0);
  }
  EXPECT_FALSE(IsMenu(copiedMore)) << L"the copy's sub-menus go with it";
  EXPECT_TRUE(IsMenu(more)) << L"the source is left alone";
}

SIZE MenuTextSize(const std::wstring& text) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  const kit::ScopedFont font(CreateFontIndirectW(&metrics.lfMenuFont));
  kit::ScopedMemoryDC dc(nullptr, font.get());
  SIZE size{};
  GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

TEST(BitmapMenu, MeasuresInTheMenuFontAndDrawsTheBitmapBesideTheText) {
  const kit::ScopedMenu source(CreatePopupMenu());
  AppendMenuW(source.get(), MF_STRING, 8, L"Local");
  AppendMenuW(source.get(), MF_STRING, 1, L"");
  CBitmapMenu menu;
  menu.CopyFrom(source.get());
  const SIZE text = MenuTextSize(L"Local");
  const int band = text.cy > 13 ? text.cy + 4 : 20;
  const struct {
    UINT id;
    ULONG_PTR data;
    LONG width, height;
  } sizes[] = {{8, 0, text.cx + 56, band},
               {1, 0, MenuTextSize(L"<Bug>").cx + 56, band},
               {2048, 1, 40, 9},
               {2048, ULONG_PTR(-1), 40, 0}};
  for (const auto& s : sizes) {
    MEASUREITEMSTRUCT item{ODT_MENU, 0, s.id, 0, 0, s.data};
    menu.MeasureItem(item);
    EXPECT_EQ(LONG(item.itemWidth), s.width) << s.id;
    EXPECT_EQ(LONG(item.itemHeight), s.height) << s.id;
  }

  kit::ScopedBitmap local;
  const std::vector<COLORREF> bitmap = LocalBitmap(&local);
  const int bitmapTop = 30 - band + band / 2 - 8;  // centred on the band at the entry's bottom
  for (const bool selected : {false, true}) {
    SCOPED_TRACE(selected ? L"selected" : L"not selected");
    Surface surface(200, 40, RGB(1, 2, 3));
    DRAWITEMSTRUCT item{ODT_MENU,
                        0,
                        8,
                        ODA_DRAWENTIRE,
                        selected ? ODS_SELECTED : 0u,
                        nullptr,
                        surface.dc->get(),
                        {0, 10, 200, 30},
                        reinterpret_cast<ULONG_PTR>(local.get())};
    menu.DrawItem(item);
    for (int y = 0; y < 18; ++y)
      for (int x = 0; x < 34; ++x)
        ASSERT_EQ(surface.At(2 + x, bitmapTop + y), bitmap[y * 34 + x]) << x << L"," << y;
    EXPECT_EQ(surface.At(0, 10), kWhite) << L"the bitmap column";
    EXPECT_EQ(surface.At(195, 28), selected ? GetSysColor(COLOR_HIGHLIGHT) : kWhite)
        << L"text area";
    EXPECT_EQ(surface.At(100, 5), RGB(1, 2, 3)) << L"nothing outside the entry";
  }
}

}  // namespace
