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
const char kDefaultProduct[] = "LUMO";

std::string OrDefault(const std::string& active) {
  return active.empty() ? kDefaultProduct : active;
}

const PageTraits kTraits{IDD_INSTALL_DESTINATION,    PageProduct::kActiveProduct,
                         PageCaption::kOwn,          PageHeadings::kFirst,
                         PageBanner::kActiveProduct, CancelMarker::kClearOnNext};

}  // namespace

CInstallDestination::CInstallDestination() : CDestinationPage(kTraits) {}

std::string CInstallDestination::OptionKey() const {
  return ActiveOptionKey(kelvra::KeyedPage::kInstallDestination);
}

std::string CInstallDestination::DiskCostSection() const {
  return OrDefault(ReadActiveValue());
}

void CInstallDestination::Show(const std::string& optionKey, bool storedCounts) {
  // The product's name as the driver INI spells its section: "active" as stored.
  const std::string active = ReadActiveValue();
  const std::string title = GetProductName(OrDefault(active));
  SetTitle(title, title);

  // Lumo's name stands in when the product's own string is missing.
  LoadProductFolder(IDS_LUMO_FOLDER);
  LoadProductFolder(
      kelvra::OptionForActiveProduct(kelvra::KeyedPage::kInstallDestination, active).folderNameId);

  std::string destination;
  if (storedCounts) ReadRegistryString(optionKey, kTargetDirValue, &destination);
  if (destination.empty()) {
    SetInstallDir(
        kelvra::RemoveTrailingBackslash(ReadInstallProductFolder(), kelvra::IsAnsiLeadByte));
    destination = kelvra::JoinFolder(InstallDir(), ProductFolder(), kelvra::IsAnsiLeadByte);
  }
  ShowDestination(destination);
  ShowProductText(active);
}

void CInstallDestination::ShowProductText(const std::string& active) const {
  std::string format;
  kit::LoadResourceString(IDS_PRODUCT_TEXT, &format);
  const std::string name = Ini().ReadString(kelvra::ToUpper(active), "PRODUCT_NAME",
                                            Ini().PathBesideDriver("Options.ini"));
  SetDlgItemText(IDC_PRODUCT_TEXT, kit::FormatStrings(format, {name, name}));
}

bool CInstallDestination::Commit(const std::string& optionKey) {
  WriteRegistryString(optionKey, kTargetDirValue,
                      kelvra::WithOneTrailingBackslash(Destination(), kelvra::IsAnsiLeadByte));
  return true;
}

void CInstallDestination::OnBrowse() {
  std::string picked = InstallDir();
  if (!PickFolder(&picked)) return;
  SetInstallDir(kelvra::WithBackslash(picked, kelvra::IsAnsiLeadByte));
  ShowDestination(kelvra::JoinFolder(InstallDir(), ProductFolder(), kelvra::IsAnsiLeadByte));
}
