#include "pages/options/part_modification.h"

#include "framework/page_entry.h"
#include "framework/registry.h"
#include "framework/setup_context.h"
#include "resdll/kelvrares_ids.h"

namespace {

const char kAllowDrawingEditValue[] = "ALLOWDRAWINGEDIT";

}  // namespace

const kit::RuntimeClass CPartModification::kRuntimeClass{"CPartModification",
                                                         &CSetupPage::kRuntimeClass};

const kit::CommandEntry<CPartModification> CPartModification::kCommands[] = {
    {IDC_HELP_BUTTON, BN_CLICKED, &CPartModification::ShowHelp},
    {IDC_BACK, BN_CLICKED, &CPartModification::OnBack},
    {IDC_NEXT, BN_CLICKED, &CPartModification::OnNext},
    {IDCANCEL, BN_CLICKED, &CPartModification::OnCancelFerrix},
};

CPartModification::CPartModification() : CSetupPage(IDD_PART_MODIFICATION, GetPageIconId()) {}

bool CPartModification::OnCommand(UINT id, UINT code) {
  return kit::DispatchCommand(*this, kCommands, id, code) || CSetupPage::OnCommand(id, code);
}

BOOL CPartModification::OnInitDialog() {
  CSetupPage::OnInitDialog();
  UseSetupTitle();
  SetHeadingFont(false);
  ShowBanner(GetBannerBitmapId());
  Preselect();
  return TRUE;
}

void CPartModification::Preselect() const {
  DWORD allowed = 1;
  CRegistryReadKey key;
  if (key.Open(HKEY_CURRENT_USER, setup_keys::kFerrix) && ReadCanceled(setup_keys::kFerrix) != 1) {
    allowed = key.QueryDwordOrMinusOne(kAllowDrawingEditValue);
    if (allowed == 0xFFFFFFFFu) allowed = 1;  // never answered: allowed
  }
  CheckDlgButton(hwnd_, allowed ? IDC_DRAWING_EDIT_ALLOWED : IDC_DRAWING_EDIT_DENIED, BST_CHECKED);
}

void CPartModification::OnNext() {
  CRegistryWriteKey key;
  if (key.Open(HKEY_CURRENT_USER, setup_keys::kFerrix))
    key.SetDword(kAllowDrawingEditValue, IsDlgButtonChecked(hwnd_, IDC_DRAWING_EDIT_ALLOWED));
  key.Close();
  MarkCanceled(setup_keys::kFerrix, 0);
  EndDialog(kResultNext);
}

int __cdecl PartModificationDlg() {
  return RunPage<CPartModification>();
}
