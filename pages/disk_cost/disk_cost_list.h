// The drive list of the disk cost dialog: one row per drive, the size
// columns as text, and a warning state image on drives short of space.
#pragma once

#include <cstdint>
#include <string>

#include "kit/list_ctrl.h"
#include "pages/disk_cost/disk_cost_math.h"

namespace kelvra {

// The units of the current resource module (IDS_UNIT_BYTES to IDS_UNIT_MEGABYTES).
SizeUnits LoadSizeUnits();

}  // namespace kelvra

class CDiskCostList : public kit::CListCtrl {
 public:
  KIT_RUNTIME_CLASS(CDiskCostList, kit::CListCtrl);

  // The state image of a drive that would run short.
  static constexpr UINT kShortOfSpaceState = INDEXTOSTATEIMAGEMASK(5);

  // Appends a row for `drive` and returns its index. A drive that has not
  // answered shows "not answering" and what it would need, nothing more.
  int AddDriveRow(const std::wstring& name, int image, const kelvra::DriveSpace& drive);
  void DeleteAllRows();

 protected:
  // Grid lines, full-row selection and the texts, before the control is ours.
  void PreSubclassWindow() override;

 private:
  std::wstring Size(int64_t value) const { return kelvra::FormatSize(value, units_); }

  // Taken while the dialog's library is current: rows come in later too.
  kelvra::SizeUnits units_;
  std::wstring notAnswering_;
};
