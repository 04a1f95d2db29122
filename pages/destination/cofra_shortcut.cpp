#include "pages/destination/cofra_shortcut.h"

#include "framework/registry.h"
#include "framework/setup_context.h"
#include "framework/text_compare.h"
#include "kit/text_format.h"
#include "kit/ui_helpers.h"
#include "resdll/kelvrares_ids.h"

namespace {

const char kShowDesktopMenuValue[] = "SHOW_DESKTOP_MENU";

const PageTraits kTraits{IDD_COFRA_SHORTCUT,         PageProduct::kActiveProduct,
                         PageCaption::kProductName,  PageHeadings::kFirst,
                         PageBanner::kActiveProduct, NextMarker::kClear};

}  // namespace

CCofraShortcut::CCofraShortcut() : CSetupPage(kTraits) {}

// The Nerva client's key for "nervaclient", the Cofra client's for any other.
std::string CCofraShortcut::OptionKey() const {
  return kelvra::EqualsNoCase(GetActiveProduct(), "nervaclient") ? setup_keys::kNervaClient
                                                                 : setup_keys::kCofraClient;
}

void CCofraShortcut::Show() {
  const std::string key = OptionKey();
  std::string format;
  kit::LoadResourceString(IDS_SHORTCUT_TEXT, &format);
  // The name is an argument, never part of the format: a "%" in it shows as it is.
  SetDlgItemText(IDC_SHORTCUT_TEXT, kit::FormatStrings(format, {Title()}));

  bool ticked = true;
  CRegistryReadKey reader;
  if (ReadCanceled(key) != 1 && reader.Open(HKEY_CURRENT_USER, key)) {
    const DWORD stored = reader.QueryDwordOrMinusOne(kShowDesktopMenuValue);
    // Never answered (or not a number) means ticked; so does any number but
    // 0, which a two-state box can only show as ticked anyway.
    ticked = stored != 0;
  }
  CheckDlgButton(hwnd_, IDC_SHOW_DESKTOP_MENU, ticked ? BST_CHECKED : BST_UNCHECKED);
}

bool CCofraShortcut::Commit() {
  CRegistryWriteKey key;
  if (key.Open(HKEY_CURRENT_USER, OptionKey()))
    key.SetDword(kShowDesktopMenuValue,
                 IsDlgButtonChecked(hwnd_, IDC_SHOW_DESKTOP_MENU) == BST_CHECKED ? 1 : 0);
  return true;
}
