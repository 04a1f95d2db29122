#include "pages/options/part_modification.h"

#include "framework/registry.h"
#include "framework/setup_context.h"
#include "resdll/kelvrares_ids.h"

namespace {

const char kAllowDrawingEditValue[] = "ALLOWDRAWINGEDIT";

const PageTraits kTraits{IDD_PART_MODIFICATION,      PageProduct::kDriverProduct,
                         PageCaption::kSetupTitle,   PageHeadings::kFirst,
                         PageBanner::kDriverProduct, NextMarker::kClear};

}  // namespace

CPartModification::CPartModification() : CSetupPage(kTraits) {}

std::string CPartModification::OptionKey() const {
  return setup_keys::kFerrix;
}

void CPartModification::Show() {
  DWORD allowed = 1;
  CRegistryReadKey key;
  if (key.Open(HKEY_CURRENT_USER, OptionKey()) && ReadCanceled(OptionKey()) != 1) {
    allowed = key.QueryDwordOrMinusOne(kAllowDrawingEditValue);
    if (allowed == 0xFFFFFFFFu) allowed = 1;  // never answered: allowed
  }
  CheckDlgButton(hwnd_, allowed ? IDC_DRAWING_EDIT_ALLOWED : IDC_DRAWING_EDIT_DENIED, BST_CHECKED);
}

bool CPartModification::Commit() {
  CRegistryWriteKey key;
  if (key.Open(HKEY_CURRENT_USER, OptionKey()))
    key.SetDword(kAllowDrawingEditValue, IsDlgButtonChecked(hwnd_, IDC_DRAWING_EDIT_ALLOWED));
  return true;
}
