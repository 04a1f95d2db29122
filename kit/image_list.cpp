#include "kit/image_list.h"

#include "kit/app.h"

namespace kit {

bool CImageList::Create(int width, int height, UINT flags, int initial, int grow) {
  list_.reset(ImageList_Create(width, height, flags, initial, grow));
  return IsCreated();
}

bool CImageList::CreateFromBitmap(UINT bitmapId, int width, int grow, COLORREF mask) {
  list_.reset(ImageList_LoadImageW(ResourceHandle(), MAKEINTRESOURCEW(bitmapId), width, grow, mask,
                                   IMAGE_BITMAP, LR_CREATEDIBSECTION));
  return IsCreated();
}

int CImageList::AddMasked(UINT bitmapId, COLORREF mask) const {
  if (!list_) return -1;
  // The list copies the pixels, so the bitmap goes as soon as it is added.
  ScopedBitmap bitmap(static_cast<HBITMAP>(LoadImageW(ResourceHandle(), MAKEINTRESOURCEW(bitmapId),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (bitmap) return ImageList_AddMasked(list_.get(), bitmap.get(), mask);
  // One image of nothing but the mask colour keeps the place of the missing
  // one, so that every later image keeps its index.
  int width = 0, height = 0;
  ImageList_GetIconSize(list_.get(), &width, &height);
  // 24 bits like the images themselves: the list reads no alpha from it.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  const ScopedBitmap blank(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!blank) return -1;
  {
    const ScopedMemoryDC dc(nullptr, blank.get());
    const ScopedBrush fill(CreateSolidBrush(mask));
    const RECT all{0, 0, width, height};
    FillRect(dc.get(), &all, fill.get());
  }
  ImageList_AddMasked(list_.get(), blank.get(), mask);
  return -1;
}

CKeptImageList::CKeptImageList(int width, int height, UINT flags,
                               std::initializer_list<UINT> bitmaps, COLORREF mask)
    : width_(width), height_(height), flags_(flags), bitmaps_(bitmaps), mask_(mask) {}

HIMAGELIST CKeptImageList::Get() {
  std::string madeFrom;
  for (const UINT bitmap : bitmaps_)
    AddResourceBytes(&madeFrom, ResourceHandle(), MAKEINTRESOURCEW(bitmap), RT_BITMAP);
  const CImageList* list = kept_.Get(madeFrom, [this] { return Make(); });
  return list ? list->Handle() : nullptr;
}

std::unique_ptr<CImageList> CKeptImageList::Make() const {
  auto list = std::make_unique<CImageList>();
  if (!list->Create(width_, height_, flags_, static_cast<int>(bitmaps_.size()), 4)) return nullptr;
  for (const UINT bitmap : bitmaps_) list->AddMasked(bitmap, mask_);
  return list;
}

}  // namespace kit
