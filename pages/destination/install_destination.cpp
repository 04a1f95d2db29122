#include "pages/destination/install_destination.h"

#include "framework/folder_path.h"
#include "framework/registry.h"
#include "framework/setup_context.h"
#include "framework/text_compare.h"
#include "kit/text_format.h"
#include "kit/ui_helpers.h"
#include "resdll/kelvrares_ids.h"

namespace {

// Lumo stands for every active product that is not named here.
const wchar_t kDefaultProduct[] = L"LUMO";

std::wstring OrDefault(const std::wstring& active) {
  return active.empty() ? kDefaultProduct : active;
}

const PageTraits kTraits{IDD_INSTALL_DESTINATION,    PageProduct::kActiveProduct,
                         PageCaption::kOwn,          PageHeadings::kFirst,
                         PageBanner::kActiveProduct, CancelMarker::kClearOnNext};

}  // namespace

CInstallDestination::CInstallDestination() : CDestinationPage(kTraits) {}

std::wstring CInstallDestination::OptionKey() const {
  return ActiveOptionKey(kelvra::KeyedPage::kInstallDestination);
}

std::wstring CInstallDestination::DiskCostSection() const {
  return OrDefault(ReadActiveValue());
}

void CInstallDestination::Show(const std::wstring& optionKey, bool storedCounts) {
  // The product's name as the driver INI spells its section: "active" as stored.
  const std::wstring active = ReadActiveValue();
  const std::wstring title = GetProductName(OrDefault(active));
  SetTitle(title, title);

  // Lumo's name stands in when the product's own string is missing.
  LoadProductFolder(IDS_LUMO_FOLDER);
  LoadProductFolder(
      kelvra::OptionForActiveProduct(kelvra::KeyedPage::kInstallDestination, active).folderNameId);

  std::wstring destination;
  if (storedCounts) ReadRegistryString(optionKey, kTargetDirValue, &destination);
  if (destination.empty()) {
    SetInstallDir(kelvra::RemoveTrailingBackslash(ReadInstallProductFolder()));
    destination = kelvra::JoinFolder(InstallDir(), ProductFolder());
  }
  ShowDestination(destination);
  ShowProductText(active);
}

void CInstallDestination::ShowProductText(const std::wstring& active) const {
  std::wstring format;
  kit::LoadResourceString(IDS_PRODUCT_TEXT, &format);
  const std::wstring name = Ini().ReadString(kelvra::ToUpper(active), L"PRODUCT_NAME",
                                             Ini().PathBesideDriver(L"Options.ini"));
  SetDlgItemText(IDC_PRODUCT_TEXT, kit::FormatStrings(format, {name, name}));
}

bool CInstallDestination::Commit(const std::wstring& optionKey) {
  WriteRegistryString(optionKey, kTargetDirValue, kelvra::WithOneTrailingBackslash(Destination()));
  return true;
}

void CInstallDestination::OnBrowse() {
  std::wstring picked = InstallDir();
  if (!PickFolder(&picked)) return;
  SetInstallDir(kelvra::WithBackslash(picked));
  ShowDestination(kelvra::JoinFolder(InstallDir(), ProductFolder()));
}
