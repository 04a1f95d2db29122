#include "kit/image_list.h"

#include "kit/app.h"

namespace kit {

bool CImageList::Create(int width, int height, UINT flags, int initial, int grow) {
  list_.reset(ImageList_Create(width, height, flags, initial, grow));
  return IsCreated();
}

bool CImageList::CreateFromBitmap(UINT bitmapId, int width, int grow, COLORREF mask) {
  list_.reset(ImageList_LoadImageA(ResourceHandle(), MAKEINTRESOURCEA(bitmapId), width, grow, mask,
                                   IMAGE_BITMAP, LR_CREATEDIBSECTION));
  return IsCreated();
}

int CImageList::AddMasked(UINT bitmapId, COLORREF mask) const {
  if (!list_) return -1;
  // The list copies the pixels, so the bitmap goes as soon as it is added.
  ScopedBitmap bitmap(static_cast<HBITMAP>(LoadImageA(ResourceHandle(), MAKEINTRESOURCEA(bitmapId),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!bitmap) return -1;
  return ImageList_AddMasked(list_.get(), bitmap.get(), mask);
}

}  // namespace kit
