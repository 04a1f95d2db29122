#include "pages/destination/install_destination.h"

#include "framework/folder_path.h"
#include "framework/registry.h"
#include "framework/setup_context.h"
#include "framework/text_compare.h"
#include "kit/text_format.h"
#include "kit/ui_helpers.h"
#include "resdll/kelvrares_ids.h"

namespace {

constexpr kelvra::KeyedPage kRow = kelvra::KeyedPage::kInstallDestination;

// The driver INI section of the product: "active" as stored, or without it
// the page's default product, the one its default row names.
std::wstring SectionOf(const std::wstring& active) {
  return active.empty() ? kelvra::ToUpper(kelvra::DefaultOption(kRow).keyName) : active;
}

const PageTraits kTraits{
    IDD_INSTALL_DESTINATION, PageProduct::kActiveProduct, PageCaption::kOwn,
    PageHeadings::kFirst,    PageBanner::kActiveProduct,  CancelMarker::kClearOnNext,
    ActiveRow(kRow)};

}  // namespace

CInstallDestination::CInstallDestination() : CDestinationPage(kTraits) {}

std::wstring CInstallDestination::DiskCostSection() const {
  return SectionOf(ReadActiveValue());
}

void CInstallDestination::Show(const PageVisit& visit, const CRegistryKey& stored) {
  const std::wstring title = GetProductName(SectionOf(visit.active));
  SetTitle(title, title);

  // The default product's folder name stands in when the product's own string is missing.
  LoadProductFolder(kelvra::DefaultOption(kRow).folderNameId);
  LoadProductFolder(visit.option.folderNameId);

  std::wstring destination = stored.QueryString(kTargetDirValue);
  if (destination.empty()) {
    SetInstallDir(kelvra::RemoveTrailingBackslash(ReadInstallProductFolder()));
    destination = kelvra::JoinFolder(InstallDir(), ProductFolder());
  }
  ShowDestination(destination);
  ShowProductText(visit.active);
}

void CInstallDestination::ShowProductText(const std::wstring& active) const {
  std::wstring format;
  kit::LoadResourceString(IDS_PRODUCT_TEXT, &format);
  const std::wstring name =
      Ini().ReadString(kelvra::ToUpper(active), L"PRODUCT_NAME", Ini().OptionsIniPath());
  SetDlgItemText(IDC_PRODUCT_TEXT, kit::FormatStrings(format, {name, name}));
}

bool CInstallDestination::Commit(const PageVisit&, CRegistryChanges& options) {
  options.SetString(kTargetDirValue, kelvra::WithOneTrailingBackslash(Destination()));
  return true;
}

void CInstallDestination::OnBrowse() {
  std::wstring picked = InstallDir();
  if (!PickFolder(&picked)) return;
  SetInstallDir(kelvra::WithBackslash(picked));
  ShowDestination(kelvra::JoinFolder(InstallDir(), ProductFolder()));
}
