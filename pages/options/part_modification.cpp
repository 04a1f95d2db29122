#include "pages/options/part_modification.h"

#include "framework/registry.h"
#include "framework/setup_context.h"
#include "resdll/kelvrares_ids.h"

namespace {

const wchar_t kAllowDrawingEditValue[] = L"ALLOWDRAWINGEDIT";

const PageTraits kTraits{IDD_PART_MODIFICATION,      PageProduct::kDriverProduct,
                         PageCaption::kSetupTitle,   PageHeadings::kFirst,
                         PageBanner::kDriverProduct, CancelMarker::kClearOnNext};

}  // namespace

CPartModification::CPartModification() : CSetupPage(kTraits) {}

std::wstring CPartModification::OptionKey() const {
  return setup_keys::kFerrix;
}

void CPartModification::Show(const std::wstring& optionKey, bool storedCounts) {
  DWORD allowed = 1;
  CRegistryReadKey key;
  if (storedCounts && key.Open(HKEY_CURRENT_USER, optionKey)) {
    allowed = key.QueryDwordOrMinusOne(kAllowDrawingEditValue);
    if (allowed == 0xFFFFFFFFu) allowed = 1;  // never answered: allowed
  }
  SetChecked(allowed ? IDC_DRAWING_EDIT_ALLOWED : IDC_DRAWING_EDIT_DENIED, true);
}

bool CPartModification::Commit(const std::wstring& optionKey) {
  CRegistryWriteKey key;
  if (key.Open(HKEY_CURRENT_USER, optionKey))
    key.SetDword(kAllowDrawingEditValue, IsChecked(IDC_DRAWING_EDIT_ALLOWED) ? 1 : 0);
  return true;
}
