#include "framework/banner_static.h"

#include "kit/app.h"

void CBannerStatic::SetBitmap(int id) {
  bitmapId_ = id;
  bitmapName_.clear();
  Load(MAKEINTRESOURCEA(id));
}

void CBannerStatic::SetBitmap(const std::string& name) {
  bitmapId_ = -1;
  bitmapName_ = name;
  Load(bitmapName_.c_str());
}

void CBannerStatic::SetName(const std::string& name) {
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
    if (sibling == control || !(GetWindowLongPtrA(sibling, GWL_STYLE) & WS_VISIBLE) ||
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

void CBannerStatic::Load(LPCSTR resource) {
  // Always this module's own bitmaps, whichever resource module is current.
  auto* loaded = static_cast<HBITMAP>(
      LoadImageA(kit::InstanceHandle(), resource, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
  if (!loaded) return;
  bitmap_.reset(loaded);
  if (Hwnd()) InvalidateRect(Hwnd(), nullptr, TRUE);
  GetObjectA(loaded, sizeof bitmapInfo_, &bitmapInfo_);
}

void CBannerStatic::Reload() {
  if (bitmapId_ > 0)
    Load(MAKEINTRESOURCEA(bitmapId_));
  else if (!bitmapName_.empty())
    Load(bitmapName_.c_str());
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
  const std::string text = GetText();
  if (text.empty()) return;
  const int oldMode = SetBkMode(item->hDC, TRANSPARENT);
  RECT rect = item->rcItem;
  DrawTextA(item->hDC, text.c_str(), -1, &rect,
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

  // Only the invalid part is drawn, taken from the matching part of the
  // bitmap as if the whole bitmap were stretched to the client area.
  RECT clip;
  GetClipBox(dc, &clip);
  RECT part;
  if (!IntersectRect(&part, &clip, &client)) return;
  const int srcLeft = MulDiv(part.left, bitmapInfo_.bmWidth, width);
  const int srcTop = MulDiv(part.top, bitmapInfo_.bmHeight, height);
  const int srcRight = MulDiv(part.right, bitmapInfo_.bmWidth, width);
  const int srcBottom = MulDiv(part.bottom, bitmapInfo_.bmHeight, height);

  kit::ScopedMemoryDC memory(dc, bitmap_.get());
  if (!memory.get()) return;
  // Averaged, not dropped, pixels when the page is scaled for another dpi.
  const int oldMode = SetStretchBltMode(dc, HALFTONE);
  POINT oldOrigin;
  SetBrushOrgEx(dc, 0, 0, &oldOrigin);
  StretchBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, memory.get(),
             srcLeft, srcTop, srcRight - srcLeft, srcBottom - srcTop, SRCCOPY);
  SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
  SetStretchBltMode(dc, oldMode);
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
