#include "pages/disk_cost/disk_cost_dialog.h"

#include "framework/resource_module.h"
#include "kit/app.h"
#include "kit/ui_helpers.h"
#include "pages/disk_cost/disk_cost_art.h"
#include "pages/disk_cost/disk_cost_data.h"
#include "pages/disk_cost/drive_probe.h"
#include "resdll/kelvrares_ids.h"

namespace {

struct ColumnLayout {
  UINT heading;
  int format;
  int width;
};

constexpr ColumnLayout kColumns[] = {
    {IDS_DRIVE_COLUMN, LVCFMT_LEFT, 60},      {IDS_TOTAL_COLUMN, LVCFMT_RIGHT, 90},
    {IDS_FREE_COLUMN, LVCFMT_RIGHT, 90},      {IDS_REQUIRED_COLUMN, LVCFMT_RIGHT, 90},
    {IDS_REMAINING_COLUMN, LVCFMT_RIGHT, 90},
};

// Posted by the drive workers; the timer lists the drives still silent.
constexpr UINT kDriveAnswered = WM_APP + 1;
constexpr UINT_PTR kDeadlineTimer = 1;

// Over the owner when there is one, else in the middle of the work area of
// the monitor the dialog is on.
void CenterWindow(HWND window) {
  RECT area{};
  HWND owner = GetWindow(window, GW_OWNER);
  if (owner && IsWindowVisible(owner) && !IsIconic(owner)) {
    GetWindowRect(owner, &area);
  } else {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info)) return;
    area = info.rcWork;
  }
  RECT own{};
  GetWindowRect(window, &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CDiskCostDialog::CDiskCostDialog(HWND parent, HINSTANCE resources)
    : CDialog(IDD_DISK_COST, parent), resources_(resources) {}

void CDiskCostDialog::DoDataExchange() {
  BindControl(IDC_DRIVE_LIST, list_);
}

BOOL CDiskCostDialog::OnInitDialog() {
  CResourceModule loaded;
  HINSTANCE resources = resources_;
  if (!resources || resources == kit::InstanceHandle()) {
    if (!loaded.Load(kResourceLibraryName)) {
      kit::ShowMessage(kResourceLibraryMissing, MB_OK);
      return FALSE;
    }
    resources = loaded.Handle();
  }
  CResourceScope scope(resources);

  CDialog::OnInitDialog();
  const CDiskCostArt& art = CDiskCostArt::Of(resources);
  kit::SetWindowIcons(Hwnd(), art.Icon());
  CenterWindow(Hwnd());
  SetText(kit::ResourceString(IDS_DISK_COST_CAPTION));
  // Listening first, so no answer falls between it and the first rows.
  kelvra::ListenForDriveAnswers(Hwnd(), kDriveAnswered);
  // One read of the probe for the rows and the deadline, so a deadline that
  // passes in between cannot leave a silent drive out with no timer to come.
  const kelvra::DriveProbeView probe = kelvra::ReadDriveProbe();
  {
    // Redrawing off for all of it: the list lays itself out again after each
    // change it may redraw, and once more when redrawing comes back.
    const kit::ScopedNoRedraw quiet(list_);
    SetUpColumns();
    SetUpImages(art);
    FillDriveRows(probe);
  }
  KeepDeadline(probe);

  scope.Restore();
  return TRUE;
}

bool CDiskCostDialog::OnDialogMessage(UINT message, WPARAM wParam, LPARAM, LRESULT*) {
  if (message == WM_DESTROY) {
    kelvra::StopDriveAnswers(Hwnd());
    return false;
  }
  if (message != kDriveAnswered && !(message == WM_TIMER && wParam == kDeadlineTimer)) return false;
  const kelvra::DriveProbeView probe = kelvra::ReadDriveProbe();
  {
    const kit::ScopedNoRedraw quiet(list_);
    FillDriveRows(probe);
  }
  KeepDeadline(probe);
  return true;
}

// A timer may come a little before the tick count says the deadline has
// passed; it runs again until then, for as long as a drive is silent.
void CDiskCostDialog::KeepDeadline(const kelvra::DriveProbeView& probe) const {
  if (!probe.settled && probe.untilDeadline > 0)
    SetTimer(Hwnd(), kDeadlineTimer, probe.untilDeadline, nullptr);
  else
    KillTimer(Hwnd(), kDeadlineTimer);
}

void CDiskCostDialog::SetUpColumns() const {
  int index = 0;
  for (const ColumnLayout& column : kColumns)
    list_.InsertColumn(index++, kit::ResourceString(column.heading), column.format, column.width);
}

void CDiskCostDialog::SetUpImages(const CDiskCostArt& art) const {
  list_.SetImageList(art.DriveImages(), LVSIL_SMALL);
  list_.SetImageList(art.StateImages(), LVSIL_STATE);
}

void CDiskCostDialog::FillDriveRows(const kelvra::DriveProbeView& probe) {
  kelvra::DiskCostData& data = kelvra::DiskCostDataSoFar(probe);
  kelvra::ApplyRequirements(data.drives, data.requirements);
  list_.DeleteAllRows();
  for (const kelvra::DriveSpace& drive : data.drives)
    list_.AddDriveRow(drive.name, drive.isNetwork, drive);
}
