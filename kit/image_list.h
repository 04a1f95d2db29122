// CImageList: owns one image list; images come from bitmaps of the current
// resource module.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "kit/scoped_handle.h"

namespace kit {

class CImageList {
 public:
  CImageList() = default;
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  // An empty list of `width` by `height` images; replaces any list held.
  bool Create(int width, int height, UINT flags, int initial, int grow);
  // A masked list cut from bitmap `bitmapId`, one image per `width` pixels.
  bool CreateFromBitmap(UINT bitmapId, int width, int grow, COLORREF mask);
  // Appends the images of bitmap `bitmapId`; pixels of `mask` become
  // transparent. The index of the first new image; -1 when the bitmap is
  // missing, and then one blank image takes its place, so that lists filled
  // by position keep every later image at its index.
  int AddMasked(UINT bitmapId, COLORREF mask) const;

  HIMAGELIST Handle() const { return list_.get(); }
  bool IsCreated() const { return list_.valid(); }
  int Count() const { return list_ ? ImageList_GetImageCount(list_.get()) : 0; }

 private:
  ScopedImageList list_;
};

}  // namespace kit
