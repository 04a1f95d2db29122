#include "features/bitmap_menu.h"

#include <algorithm>
#include <cstddef>

#include "features/bitmap_menu_layout.h"
#include "kit/scoped_handle.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr int kBitmapColumn = 22;
constexpr UINT_PTR kFlatSeparator = static_cast<UINT_PTR>(-1);
constexpr wchar_t kMissingText[] = L"<Bug>";

// The structure as it was before iPaddedBorderWidth, so that every system
// version accepts it.
constexpr UINT kNonClientMetricsSize = 500;
static_assert(offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth) == kNonClientMetricsSize,
              "the menu font's metrics end before the padded border width");

kit::ScopedFont CreateMenuFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = kNonClientMetricsSize;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0))
    return kit::ScopedFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  return kit::ScopedFont(CreateFontIndirectW(&metrics.lfMenuFont));
}

// The text's size; an empty text is measured (and drawn) as "<Bug>".
SIZE MeasureText(HDC dc, std::wstring* text) {
  SIZE size{0, 0};
  if (!text->empty())
    GetTextExtentPoint32W(dc, text->c_str(), static_cast<int>(text->size()), &size);
  if (size.cy == 0) {
    *text = kMissingText;
    GetTextExtentPoint32W(dc, text->c_str(), static_cast<int>(text->size()), &size);
  }
  return size;
}

// An owner-drawn entry that keeps its text as well, so GetMenuString and
// screen readers read what the drawing shows. `flags` carries the state and
// break bits of MF_*, which MENUITEMINFO spells with the same values.
BOOL AppendOwnerDrawn(HMENU menu, UINT flags, UINT command, HMENU subMenu,
                      const std::wstring& text) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_DATA;
  info.fType = MFT_OWNERDRAW | (flags & (MFT_MENUBREAK | MFT_MENUBARBREAK));
  info.fState = flags & (MFS_CHECKED | MFS_GRAYED);
  info.wID = command;
  if (subMenu) {
    info.fMask |= MIIM_SUBMENU;
    info.hSubMenu = subMenu;
  }
  info.dwTypeData = const_cast<wchar_t*>(text.c_str());
  info.cch = static_cast<UINT>(text.size());
  return InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &info);
}

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
  const RECT area{left, top, right, bottom};
  SetBkColor(dc, color);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
}

// Puts the context's font, pen and colours back before the objects go.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~SavedDcState() { RestoreDC(dc_, saved_); }
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;

 private:
  HDC dc_;
  int saved_;
};

COLORREF TopLeftPixel(HBITMAP bitmap) {
  kit::ScopedMemoryDC dc(nullptr, bitmap);
  return GetPixel(dc.get(), 0, 0);
}

}  // namespace

CBitmapMenu::~CBitmapMenu() = default;

void CBitmapMenu::AppendSeparator(UINT_PTR itemData) {
  AppendMenuW(Handle(), MF_OWNERDRAW, features::kSeparatorCommand,
              reinterpret_cast<LPCWSTR>(itemData));
  items_.push_back(
      std::make_unique<CBitmapMenuItem>(CBitmapMenuItem{L"", features::kSeparatorCommand}));
}

bool CBitmapMenu::IsSubMenuAt(int position) const {
  return position >= 0 && GetSubMenu(Handle(), position) != nullptr;
}

BOOL CBitmapMenu::CopyFrom(HMENU source) {
  if (!Handle() && !CreatePopup()) return 0;
  try {
    const int count = GetMenuItemCount(source);
    for (int position = 0; position < count; ++position) {
      const UINT command = GetMenuItemID(source, position);
      if (command == 0) {
        AppendSeparator(static_cast<UINT_PTR>(GetMenuItemCount(Handle())));
        continue;
      }
      wchar_t buffer[1025] = L"";
      GetMenuStringW(source, position, buffer, 1025, MF_BYPOSITION);
      const std::wstring text = buffer;
      const UINT state = GetMenuState(source, position, MF_BYPOSITION);
      if (HMENU sourceSub = GetSubMenu(source, position)) {
        // Two sub-menus in a row get a flat separator between them.
        if (position > 0 && GetSubMenu(source, position - 1)) AppendSeparator(kFlatSeparator);
        auto sub = std::make_unique<CBitmapMenu>();
        sub->CopyFrom(sourceSub);
        const auto subHandle = reinterpret_cast<UINT_PTR>(sub->Handle());
        if (AppendOwnerDrawn(Handle(), 0, 0, sub->Handle(), text))
          sub->GiveAway();  // the entry now destroys it with this menu
        items_.push_back(
            std::make_unique<CBitmapMenuItem>(CBitmapMenuItem{text, static_cast<UINT>(subHandle)}));
        subMenus_.push_back(std::move(sub));
        continue;
      }
      // Checked, greyed and break flags carry over; the drawing takes its text
      // from the item records.
      const UINT kept =
          state & (MF_CHECKED | MF_GRAYED | MF_DISABLED | MF_MENUBREAK | MF_MENUBARBREAK);
      AppendOwnerDrawn(Handle(), kept, command, nullptr, text);
      items_.push_back(std::make_unique<CBitmapMenuItem>(CBitmapMenuItem{text, command}));
    }
  } catch (...) {
    return 0;
  }
  return 1;
}

int CBitmapMenu::GetItemText(UINT command, std::wstring* text) const {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i]->command != command) continue;
    *text = items_[i]->text;
    return static_cast<int>(i);
  }
  return -1;
}

BOOL CBitmapMenu::CheckItem(UINT command, UINT flags) {
  std::wstring text;
  const int position = GetItemText(command, &text);
  if (position < 0) return 0;
  CheckMenuItem(Handle(), position, MF_BYPOSITION | (flags & MF_CHECKED));
  return 1;
}

void CBitmapMenu::MeasureItem(MEASUREITEMSTRUCT& item) {
  const kit::ScopedFont font = CreateMenuFont();
  const kit::ScopedMemoryDC dc(nullptr, font.get());
  std::wstring text;
  GetItemText(item.itemID, &text);
  const SIZE textSize = MeasureText(dc.get(), &text);

  const bool separator = item.itemID == features::kSeparatorCommand;
  const features::MenuEntrySize size = features::MeasureMenuEntry(
      separator, item.itemData == kFlatSeparator, textSize.cx, textSize.cy);
  ++measureCount_;

  std::vector<bool> subMenus;
  for (int position = 0, count = GetMenuItemCount(Handle()); position < count; ++position)
    subMenus.push_back(IsSubMenuAt(position));
  item.itemWidth = size.width;
  item.itemHeight =
      size.height + features::SubMenuHeightExtra(subMenus, measureCount_, textSize.cy);
}

void CBitmapMenu::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const kit::ScopedFont font = CreateMenuFont();
  const kit::ScopedHandle<kit::GdiObjectTraits<HPEN>> pen(CreatePen(PS_SOLID, 1, kGrey));
  const SavedDcState state(dc);
  SelectObject(dc, font.get());

  const RECT& r = item.rcItem;
  std::wstring text;
  const int position = GetItemText(item.itemID, &text);
  const SIZE textSize = MeasureText(dc, &text);
  const features::MenuBand band = features::MenuEntryBand(
      r.top, r.bottom, textSize.cy, IsSubMenuAt(position), IsSubMenuAt(position - 1));
  const int h = band.bottom - band.top;
  const int drawing = std::max(h, 16);

  const bool separator = item.itemID == features::kSeparatorCommand;
  Fill(dc, 0, r.top, r.left + kBitmapColumn, r.bottom, kWhite);
  if (!separator) Fill(dc, r.left + kBitmapColumn, r.top, r.right, r.bottom, kWhite);
  if (separator) {
    // The band may reach above a 9-pixel entry; only the entry is painted.
    Fill(dc, r.left + kBitmapColumn, std::max<int>(band.top, r.top), r.right, band.bottom, kWhite);
    if (item.itemData != kFlatSeparator) {
      SelectObject(dc, pen.get());
      MoveToEx(dc, r.left + drawing + kBitmapColumn, band.bottom - 5, nullptr);
      LineTo(dc, r.right, band.bottom - 5);
    }
    return;
  }

  const auto bitmap = reinterpret_cast<HBITMAP>(item.itemData);
  if (bitmap && GetObjectType(bitmap) == OBJ_BITMAP)
    DrawTransparentBitmap(dc, bitmap, r.left + 2, band.top + h / 2 - 8, TopLeftPixel(bitmap));

  RECT textArea{r.left + drawing + 24, band.top, r.right, band.bottom};
  const bool greyed = (item.itemState & ODS_GRAYED) != 0;
  if (item.itemState & ODS_SELECTED) {
    Fill(dc, textArea.left, textArea.top, textArea.right, textArea.bottom,
         GetSysColor(COLOR_HIGHLIGHT));
    SetTextColor(dc, greyed ? kGrey : kWhite);
  } else {
    Fill(dc, textArea.left, textArea.top, textArea.right, textArea.bottom, kWhite);
    SetTextColor(dc, greyed ? kGrey : RGB(0, 0, 0));
  }
  OffsetRect(&textArea, 4, 2);
  DrawTextW(dc, text.c_str(), -1, &textArea, DT_VCENTER);
}

void DrawTransparentBitmap(HDC target, HBITMAP bitmap, int x, int y, COLORREF transparent) {
  BITMAP info{};
  if (!GetObjectW(bitmap, sizeof info, &info)) return;
  kit::ScopedMemoryDC source(target, bitmap);
  SetMapMode(source.get(), GetMapMode(target));
  POINT size{info.bmWidth, info.bmHeight};
  DPtoLP(source.get(), &size, 1);
  const int w = size.x;
  const int h = size.y;

  // The bitmaps outlive the contexts they are selected into.
  const kit::ScopedBitmap saveBits(CreateCompatibleBitmap(target, w, h));
  const kit::ScopedBitmap objectBits(CreateBitmap(w, h, 1, 1, nullptr));
  const kit::ScopedBitmap backBits(CreateBitmap(w, h, 1, 1, nullptr));
  const kit::ScopedBitmap workBits(CreateCompatibleBitmap(target, w, h));
  if (!saveBits || !objectBits || !backBits || !workBits) return;
  kit::ScopedMemoryDC save(target, saveBits.get());
  kit::ScopedMemoryDC object(target, objectBits.get());
  kit::ScopedMemoryDC back(target, backBits.get());
  kit::ScopedMemoryDC work(target, workBits.get());

  BitBlt(save.get(), 0, 0, w, h, source.get(), 0, 0, SRCCOPY);
  // Pixels of the source's background colour become 1 in a monochrome copy.
  const COLORREF previous = SetBkColor(source.get(), transparent);
  BitBlt(object.get(), 0, 0, w, h, source.get(), 0, 0, SRCCOPY);
  SetBkColor(source.get(), previous);
  BitBlt(back.get(), 0, 0, w, h, object.get(), 0, 0, NOTSRCCOPY);

  BitBlt(work.get(), 0, 0, w, h, target, x, y, SRCCOPY);
  BitBlt(work.get(), 0, 0, w, h, object.get(), 0, 0, SRCAND);
  BitBlt(source.get(), 0, 0, w, h, back.get(), 0, 0, SRCAND);
  BitBlt(work.get(), 0, 0, w, h, source.get(), 0, 0, SRCPAINT);
  BitBlt(target, x, y, w, h, work.get(), 0, 0, SRCCOPY);

  BitBlt(source.get(), 0, 0, w, h, save.get(), 0, 0, SRCCOPY);
}
