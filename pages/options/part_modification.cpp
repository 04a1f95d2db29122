#include "pages/options/part_modification.h"

#include "framework/registry.h"
#include "framework/setup_context.h"
#include "resdll/kelvrares_ids.h"

namespace {

const wchar_t kAllowDrawingEditValue[] = L"ALLOWDRAWINGEDIT";

const PageTraits kTraits{IDD_PART_MODIFICATION,        PageProduct::kDriverProduct,
                         PageCaption::kSetupTitle,     PageHeadings::kFirst,
                         PageBanner::kDriverProduct,   CancelMarker::kClearOnNext,
                         FixedKey(setup_keys::kFerrix)};

}  // namespace

CPartModification::CPartModification() : CSetupPage(kTraits) {}

void CPartModification::Show(const PageVisit&, const CRegistryKey& stored) {
  // Never answered (or not a number) means allowed.
  const bool allowed = stored.QueryDwordOrMinusOne(kAllowDrawingEditValue) != 0;
  SetChecked(allowed ? IDC_DRAWING_EDIT_ALLOWED : IDC_DRAWING_EDIT_DENIED, true);
}

bool CPartModification::Commit(const PageVisit&, CRegistryChanges& options) {
  options.SetDword(kAllowDrawingEditValue, IsChecked(IDC_DRAWING_EDIT_ALLOWED) ? 1 : 0);
  return true;
}
