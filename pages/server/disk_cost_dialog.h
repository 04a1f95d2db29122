// The disk cost dialog: every fixed and network drive with its size, free
// space, what the installation needs there and what would remain.
#pragma once

#include "kit/dialog.h"
#include "kit/image_list.h"
#include "kit/scoped_handle.h"
#include "pages/server/disk_cost_list.h"

class CDiskCostDialog : public kit::CDialog {
 public:
  static const kit::RuntimeClass kRuntimeClass;
  const kit::RuntimeClass* GetRuntimeClass() const override { return &kRuntimeClass; }

  // The template and icon come from the current resource module, which is
  // the resource library while a page is up.
  explicit CDiskCostDialog(HWND parent = nullptr);

  const CDiskCostList& List() const { return list_; }

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange() override;

 private:
  void SetUpColumns() const;
  void SetUpSmallImages();
  void AddDriveRows();

  CDiskCostList list_;
  kit::CImageList smallImages_;
  kit::ScopedIcon icon_;
};
