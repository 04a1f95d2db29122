// The banner across the top of a page: a bitmap from Kelvra.dll's own
// resources, stretched to the control, with the control's text drawn over it.
#pragma once

#include <string>
#include <windows.h>

#include "kit/scoped_handle.h"
#include "kit/window.h"

// Sets `control`'s height to keep the shape `width` by `height` at its
// present width, growing no further than the visible controls below it
// (sharing some of its columns) allow. Templates are laid out in dialog units, which grow by the
// font's width and height apart at another dpi: at 144 dpi a 337 by 39 unit
// banner is wider for its height than the 505 by 63 pixels it shows.
void KeepShape(HWND control, int width, int height);

// What a banner bitmap was loaded from: the bytes of a bitmap resource of
// this module, its greys mapped to the 3-D colours of the moment.
struct BannerSource {
  std::string bytes;
  COLORREF greys[3];
  bool operator==(const BannerSource& other) const;
};

class CBannerStatic : public kit::CStatic {
 public:
  KIT_RUNTIME_CLASS(CBannerStatic, kit::CStatic);

  // On failure the previous bitmap stays.
  void SetBitmap(int id);
  void SetBitmap(const std::wstring& name);

  // The banner's name for screen readers, kept as its window text. The
  // bitmap already pictures it, so it is not drawn over the bitmap again.
  void SetName(const std::wstring& name);

  // Makes the control as tall as the bitmap's shape asks at the control's
  // width; nothing without a bitmap.
  void KeepBitmapShape();

  HBITMAP Bitmap() const { return bitmap_.get(); }
  void DrawItem(DRAWITEMSTRUCT* item) override;

 protected:
  void PreSubclassWindow() override;
  bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  void Load(LPCWSTR resource);
  void Reload();
  void Paint(HDC dc) const;
  UINT TextAlignment() const;

  kit::ScopedBitmap bitmap_;
  BITMAP bitmapInfo_{};
  BannerSource source_;  // what bitmap_ was loaded from
  int bitmapId_ = -1;
  std::wstring bitmapName_;
  LONG_PTR textStyle_ = 0;  // the template's alignment, before owner-draw took its place
  bool named_ = false;      // the window text is a name only, not drawn
};
