// The disk cost dialog: every fixed and network drive with its size, free
// space, what the installation needs there and what would remain.
#pragma once

#include "kit/dialog.h"
#include "pages/disk_cost/disk_cost_list.h"

class CDiskCostArt;
namespace kelvra {
struct DriveProbeView;
}

class CDiskCostDialog : public kit::CDialog {
 public:
  KIT_RUNTIME_CLASS(CDiskCostDialog, kit::CDialog);

  // The template, icon, texts and images come from `resources`, the
  // resource library a page has made current. Without one (null, or this
  // module's own) the dialog loads the library itself while it sets up.
  CDiskCostDialog(HWND parent, HINSTANCE resources);

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange() override;
  // Drives that answer, and the deadline for those that do not, refill the rows.
  bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  void SetUpColumns() const;
  void SetUpImages(const CDiskCostArt& art) const;
  // The rows afresh from `probe`; the callers turn the list's redrawing off
  // around it.
  void FillDriveRows(const kelvra::DriveProbeView& probe);
  // The deadline timer runs while a drive is silent and the deadline ahead.
  void KeepDeadline(const kelvra::DriveProbeView& probe) const;

  CDiskCostList list_;
  HINSTANCE resources_;
};
