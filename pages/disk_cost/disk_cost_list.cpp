#include "pages/disk_cost/disk_cost_list.h"

#include "kit/ui_helpers.h"
#include "resdll/kelvrares_ids.h"

namespace kelvra {

SizeUnits LoadSizeUnits() {
  return {kit::ResourceString(IDS_UNIT_BYTES), kit::ResourceString(IDS_UNIT_KILOBYTES),
          kit::ResourceString(IDS_UNIT_MEGABYTES), kit::ResourceString(IDS_UNIT_GIGABYTES)};
}

}  // namespace kelvra

namespace {

enum Column : int { kNameColumn, kTotalColumn, kFreeColumn, kRequiredColumn, kRemainingColumn };

}  // namespace

void CDiskCostList::PreSubclassWindow() {
  SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  // Its image lists serve every opening: the control must not destroy them.
  ModifyStyle(0, LVS_SHAREIMAGELISTS);
  units_ = kelvra::LoadSizeUnits();
  notAnswering_ = kit::ResourceString(IDS_DRIVE_NOT_ANSWERING);
  kit::CListCtrl::PreSubclassWindow();
}

int CDiskCostList::AddDriveRow(const std::wstring& name, int image,
                               const kelvra::DriveSpace& drive) {
  const int index = GetItemCount();
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
  item.iItem = index;
  item.pszText = const_cast<wchar_t*>(name.c_str());
  item.iImage = image;
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = kelvra::IsShortOfSpace(drive) ? kShortOfSpaceState : 0;
  InsertItem(item);

  const bool answered = drive.answered;
  SetItemText(index, kTotalColumn,
              answered ? Size(static_cast<int64_t>(drive.total)) : notAnswering_);
  if (answered) SetItemText(index, kFreeColumn, Size(static_cast<int64_t>(drive.free)));
  SetItemText(index, kRequiredColumn, Size(drive.required));
  if (answered) SetItemText(index, kRemainingColumn, Size(drive.remaining));
  return index;
}

void CDiskCostList::DeleteAllRows() {
  Send(LVM_DELETEALLITEMS);
}
