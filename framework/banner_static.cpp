#include "framework/banner_static.h"

#include <string>
#include <utility>

#include "kit/app.h"
#include "kit/kept_resource.h"

namespace {

// The bitmap `resource` of this module, and the colours LR_LOADMAP3DCOLORS
// maps its greys to now.
BannerSource SourceNow(LPCWSTR resource) {
  BannerSource source{
      {}, {GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DFACE), GetSysColor(COLOR_3DLIGHT)}};
  kit::AddResourceBytes(&source.bytes, kit::InstanceHandle(), resource, RT_BITMAP);
  return source;
}

// `source` stretched to `width` by `height` in the format of `dc`, with
// averaged, not dropped, pixels when the page is scaled for another dpi.
HBITMAP Stretch(HDC dc, HBITMAP source, const BITMAP& info, int width, int height) {
  kit::ScopedBitmap picture(CreateCompatibleBitmap(dc, width, height));
  if (!picture) return nullptr;
  const kit::ScopedMemoryDC from(dc, source);
  const kit::ScopedMemoryDC to(dc, picture.get());
  if (!from.get() || !to.get()) return nullptr;
  SetStretchBltMode(to.get(), HALFTONE);
  SetBrushOrgEx(to.get(), 0, 0, nullptr);
  if (!StretchBlt(to.get(), 0, 0, width, height, from.get(), 0, 0, info.bmWidth, info.bmHeight,
                  SRCCOPY))
    return nullptr;
  return picture.release();
}

// A banner as painted: its bitmap stretched to the control's size.
struct StretchedBanner {
  BannerSource source;
  int width, height;
  bool operator==(const StretchedBanner& other) const {
    return source == other.source && width == other.width && height == other.height;
  }
};

// Banners as painted, kept for the process (kit/kept_resource.h). Averaging
// the pixels is the costliest thing a page paints, and the pages of a setup
// show one or two banners at one size.
using CStretchedBanners = kit::CKeptResource<StretchedBanner, kit::ScopedBitmap, 4>;

CStretchedBanners& StretchedBanners() {
  static CStretchedBanners banners;
  return banners;
}

}  // namespace

bool BannerSource::operator==(const BannerSource& other) const {
  return bytes == other.bytes && greys[0] == other.greys[0] && greys[1] == other.greys[1] &&
         greys[2] == other.greys[2];
}

void CBannerStatic::SetBitmap(int id) {
  bitmapId_ = id;
  bitmapName_.clear();
  Load(MAKEINTRESOURCEW(id));
}

void CBannerStatic::SetBitmap(const std::wstring& name) {
  bitmapId_ = -1;
  bitmapName_ = name;
  Load(bitmapName_.c_str());
}

void CBannerStatic::SetName(const std::wstring& name) {
  named_ = true;
  SetText(name);
}

void KeepShape(HWND control, int width, int height) {
  RECT client;
  if (!control || width <= 0 || height <= 0 || !GetClientRect(control, &client)) return;
  RECT window;
  GetWindowRect(control, &window);
  int grow = MulDiv(client.right, height, width) - client.bottom;
  // Never over the controls below it that will show, even before the page does.
  for (HWND sibling = GetWindow(GetParent(control), GW_CHILD); sibling && grow > 0;
       sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    RECT other;
    if (sibling == control || !(GetWindowLongPtrW(sibling, GWL_STYLE) & WS_VISIBLE) ||
        !GetWindowRect(sibling, &other) || other.top < window.bottom ||
        other.left >= window.right || other.right <= window.left)
      continue;
    if (other.top - window.bottom < grow) grow = other.top - window.bottom;
  }
  if (grow == 0) return;
  SetWindowPos(control, nullptr, 0, 0, window.right - window.left,
               window.bottom - window.top + grow, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBannerStatic::KeepBitmapShape() {
  if (bitmap_) KeepShape(Hwnd(), bitmapInfo_.bmWidth, bitmapInfo_.bmHeight);
}

void CBannerStatic::Load(LPCWSTR resource) {
  BannerSource source = SourceNow(resource);
  // Always this module's own bitmaps, whichever resource module is current.
  auto* loaded = static_cast<HBITMAP>(
      LoadImageW(kit::InstanceHandle(), resource, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
  if (!loaded) return;
  bitmap_.reset(loaded);
  source_ = std::move(source);
  if (Hwnd()) InvalidateRect(Hwnd(), nullptr, TRUE);
  GetObjectW(loaded, sizeof bitmapInfo_, &bitmapInfo_);
}

void CBannerStatic::Reload() {
  if (bitmapId_ > 0)
    SetBitmap(bitmapId_);
  else if (!bitmapName_.empty())
    SetBitmap(std::wstring(bitmapName_));
}

void CBannerStatic::PreSubclassWindow() {
  textStyle_ = Style();
  ModifyStyle(SS_TYPEMASK, SS_OWNERDRAW);
}

UINT CBannerStatic::TextAlignment() const {
  UINT format = 0;
  if (textStyle_ & SS_CENTERIMAGE) format |= DT_VCENTER;
  const LONG_PTR type = textStyle_ & SS_TYPEMASK;
  if (type == SS_CENTER)
    format |= DT_CENTER;
  else if (type == SS_RIGHT)
    format |= DT_RIGHT;
  return format;
}

void CBannerStatic::DrawItem(DRAWITEMSTRUCT* item) {
  if (named_) return;
  const std::wstring text = GetText();
  if (text.empty()) return;
  const int oldMode = SetBkMode(item->hDC, TRANSPARENT);
  RECT rect = item->rcItem;
  DrawTextW(item->hDC, text.c_str(), -1, &rect,
            DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE | DT_WORDBREAK | TextAlignment());
  SetBkMode(item->hDC, oldMode);
}

void CBannerStatic::Paint(HDC dc) const {
  RECT client;
  GetClientRect(Hwnd(), &client);
  if (!bitmap_) {
    kit::ScopedBrush face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    HGDIOBJ old = SelectObject(dc, face.get());
    PatBlt(dc, 0, 0, client.right, client.bottom, PATCOPY);
    SelectObject(dc, old);
    return;
  }
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return;

  // Only the invalid part is drawn, from the bitmap stretched to the client area.
  RECT clip;
  GetClipBox(dc, &clip);
  RECT part;
  if (!IntersectRect(&part, &clip, &client)) return;
  HBITMAP picture = StretchedBanners().Get({source_, width, height}, [&] {
    return kit::ScopedBitmap(Stretch(dc, bitmap_.get(), bitmapInfo_, width, height));
  });
  if (!picture) return;
  const kit::ScopedMemoryDC memory(dc, picture);
  if (!memory.get()) return;
  BitBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, memory.get(),
         part.left, part.top, SRCCOPY);
}

bool CBannerStatic::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_ERASEBKGND:
      Paint(reinterpret_cast<HDC>(wParam));
      *result = TRUE;
      return true;
    case WM_SYSCOLORCHANGE:
      *result = Default(message, wParam, lParam);
      // LR_LOADMAP3DCOLORS maps the bitmap's greys to the new colours.
      Reload();
      return true;
    default:
      return false;
  }
}
