#include "pages/disk_cost/disk_cost_art.h"

#include <memory>
#include <string>

#include "kit/kept_resource.h"
#include "resdll/kelvrares_ids.h"

namespace {

// With masks, so the images sit on the list's own background.
constexpr int kDriveImageSize = 16;
constexpr COLORREF kDriveImageMask = RGB(255, 0, 0);
constexpr int kStateImageWidth = 16;
constexpr COLORREF kStateImageMask = RGB(0, 255, 0);

}  // namespace

const CDiskCostArt& CDiskCostArt::Of(HINSTANCE resources) {
  // One per process, like the drive data; freed when this module unloads.
  static kit::CKeptResource<std::string, std::unique_ptr<CDiskCostArt>> kept;
  std::string madeFrom;
  kit::AddResourceBytes(&madeFrom, resources, MAKEINTRESOURCEW(IDI_DISK_COST), RT_GROUP_ICON);
  kit::AddResourceBytes(&madeFrom, resources, MAKEINTRESOURCEW(IDB_DRIVE_SMALL), RT_BITMAP);
  kit::AddResourceBytes(&madeFrom, resources, MAKEINTRESOURCEW(IDB_DRIVE_STATE), RT_BITMAP);
  return *kept.Get(madeFrom,
                   [&] { return std::unique_ptr<CDiskCostArt>(new CDiskCostArt(resources)); });
}

CDiskCostArt::CDiskCostArt(HINSTANCE resources)
    : icon_(static_cast<HICON>(LoadImageW(resources, MAKEINTRESOURCEW(IDI_DISK_COST), IMAGE_ICON, 0,
                                          0, LR_DEFAULTSIZE))) {
  driveImages_.Create(kDriveImageSize, kDriveImageSize, ILC_COLOR16 | ILC_MASK, 6, 1);
  driveImages_.AddMasked(IDB_DRIVE_SMALL, kDriveImageMask);
  stateImages_.CreateFromBitmap(IDB_DRIVE_STATE, kStateImageWidth, 1, kStateImageMask);
}
