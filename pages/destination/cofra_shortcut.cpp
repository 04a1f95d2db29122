#include "pages/destination/cofra_shortcut.h"

#include "framework/registry.h"
#include "framework/setup_context.h"
#include "kit/text_format.h"
#include "kit/ui_helpers.h"
#include "resdll/kelvrares_ids.h"

namespace {

const wchar_t kShowDesktopMenuValue[] = L"SHOW_DESKTOP_MENU";

const PageTraits kTraits{IDD_COFRA_SHORTCUT,
                         PageProduct::kActiveProduct,
                         PageCaption::kProductName,
                         PageHeadings::kFirst,
                         PageBanner::kActiveProduct,
                         CancelMarker::kClearOnNext,
                         ActiveRow(kelvra::KeyedPage::kClient)};

}  // namespace

CCofraShortcut::CCofraShortcut() : CSetupPage(kTraits) {}

void CCofraShortcut::Show(const PageVisit&, const CRegistryKey& stored) {
  std::wstring format;
  kit::LoadResourceString(IDS_SHORTCUT_TEXT, &format);
  // The name is an argument, never part of the format: a "%" in it shows as it is.
  SetDlgItemText(IDC_SHORTCUT_TEXT, kit::FormatStrings(format, {Title()}));

  // Never answered (or not a number) means ticked; so does any number but
  // 0, which a two-state box can only show as ticked anyway.
  SetChecked(IDC_SHOW_DESKTOP_MENU, stored.QueryDwordOrMinusOne(kShowDesktopMenuValue) != 0);
}

bool CCofraShortcut::Commit(const PageVisit&, CRegistryChanges& options) {
  options.SetDword(kShowDesktopMenuValue, IsChecked(IDC_SHOW_DESKTOP_MENU) ? 1 : 0);
  return true;
}
