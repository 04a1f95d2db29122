// The drive list of the disk cost dialog: one row per drive, the size
// columns as text, and a warning state image on drives short of space.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kit/image_list.h"
#include "kit/list_ctrl.h"
#include "pages/server/disk_cost_math.h"

namespace kelvra {

// The units of the current resource module (strings 10007 to 10010).
SizeUnits LoadSizeUnits();
// `value` in the largest unit that keeps it at 8192 or more, with its unit.
std::string FormatSize(int64_t value);

}  // namespace kelvra

class CDiskCostList : public kit::CListCtrl {
 public:
  static const kit::RuntimeClass kRuntimeClass;
  const kit::RuntimeClass* GetRuntimeClass() const override { return &kRuntimeClass; }

  // The state image of a drive that would run short.
  static constexpr UINT kShortOfSpaceState = INDEXTOSTATEIMAGEMASK(5);

  struct Row {
    int image = 0;
    std::vector<std::string> texts;  // one per header column
  };

  // Appends a row for `drive` and returns its index.
  int AddDriveRow(const std::string& name, int image, const kelvra::DriveSpace& drive);
  void SetCellText(int row, int column, const std::string& text);

  const std::vector<Row>& Rows() const { return rows_; }

 protected:
  // Grid lines, full-row selection and the state images, before the control is ours.
  void PreSubclassWindow() override;

 private:
  kit::CImageList stateImages_;
  std::vector<Row> rows_;
};
