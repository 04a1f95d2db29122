// CImageList: owns one image list; images come from bitmaps of the current
// resource module.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "kit/kept_resource.h"
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

// An image list of bitmaps from the current resource module that outlives
// the module, kept as kit/kept_resource.h tells: a page's resource library
// is loaded anew for every page, and the list is made again only when the
// bitmaps' bytes differ. A control that shows it must not destroy it: a
// tree never does, a list view needs LVS_SHAREIMAGELISTS.
class CKeptImageList {
 public:
  // Each bitmap's images appended in turn, `mask` made transparent.
  CKeptImageList(int width, int height, UINT flags, std::initializer_list<UINT> bitmaps,
                 COLORREF mask);
  CKeptImageList(const CKeptImageList&) = delete;
  CKeptImageList& operator=(const CKeptImageList&) = delete;

  HIMAGELIST Get();

 private:
  std::unique_ptr<CImageList> Make() const;

  int width_;
  int height_;
  UINT flags_;
  std::vector<UINT> bitmaps_;
  COLORREF mask_;
  CKeptResource<std::string, std::unique_ptr<CImageList>> kept_;
};

}  // namespace kit
