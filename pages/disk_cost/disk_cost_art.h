// The disk cost dialog's icon and image lists. The first opening makes them
// from the resource library; later openings reuse them while the icon and
// bitmaps they were made from are unchanged (kit/kept_resource.h). They go
// when this module is unloaded.
#pragma once

#include <windows.h>

#include "kit/image_list.h"
#include "kit/scoped_handle.h"

class CDiskCostArt {
 public:
  // The art of `resources`, which must be the current resource module.
  static const CDiskCostArt& Of(HINSTANCE resources);

  HICON Icon() const { return icon_.get(); }
  // A fixed and a network drive, 16 by 16.
  HIMAGELIST DriveImages() const { return driveImages_.Handle(); }
  // The list's state images; state 5 marks a drive short of space.
  HIMAGELIST StateImages() const { return stateImages_.Handle(); }

 private:
  explicit CDiskCostArt(HINSTANCE resources);

  kit::ScopedIcon icon_;
  kit::CImageList driveImages_;
  kit::CImageList stateImages_;
};
