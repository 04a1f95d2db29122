#include "pages/destination/cofra_shortcut.h"

#include "framework/registry.h"
#include "framework/setup_context.h"
#include "kit/text_format.h"
#include "kit/ui_helpers.h"
#include "resdll/kelvrares_ids.h"

namespace {

const wchar_t kShowDesktopMenuValue[] = L"SHOW_DESKTOP_MENU";

const PageTraits kTraits{IDD_COFRA_SHORTCUT,         PageProduct::kActiveProduct,
                         PageCaption::kProductName,  PageHeadings::kFirst,
                         PageBanner::kActiveProduct, CancelMarker::kClearOnNext};

}  // namespace

CCofraShortcut::CCofraShortcut() : CSetupPage(kTraits) {}

std::wstring CCofraShortcut::OptionKey() const {
  return ActiveOptionKey(kelvra::KeyedPage::kClient);
}

void CCofraShortcut::Show(const std::wstring& optionKey, bool storedCounts) {
  std::wstring format;
  kit::LoadResourceString(IDS_SHORTCUT_TEXT, &format);
  // The name is an argument, never part of the format: a "%" in it shows as it is.
  SetDlgItemText(IDC_SHORTCUT_TEXT, kit::FormatStrings(format, {Title()}));

  bool ticked = true;
  CRegistryReadKey reader;
  if (storedCounts && reader.Open(HKEY_CURRENT_USER, optionKey)) {
    const DWORD stored = reader.QueryDwordOrMinusOne(kShowDesktopMenuValue);
    // Never answered (or not a number) means ticked; so does any number but
    // 0, which a two-state box can only show as ticked anyway.
    ticked = stored != 0;
  }
  SetChecked(IDC_SHOW_DESKTOP_MENU, ticked);
}

bool CCofraShortcut::Commit(const std::wstring& optionKey) {
  CRegistryWriteKey key;
  if (key.Open(HKEY_CURRENT_USER, optionKey))
    key.SetDword(kShowDesktopMenuValue, IsChecked(IDC_SHOW_DESKTOP_MENU) ? 1 : 0);
  return true;
}
