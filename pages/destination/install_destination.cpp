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

struct Product {
  const char* optionKey;
  UINT folderNameString;
};

Product SelectProduct(const std::string& active) {
  if (kelvra::EqualsNoCase(active, "lookglass"))
    return {setup_keys::kLookglass, IDS_LOOKGLASS_FOLDER};
  if (kelvra::EqualsNoCase(active, "quillmaker"))
    return {setup_keys::kQuillmaker, IDS_QUILLMAKER_FOLDER};
  return {setup_keys::kLumo, IDS_LUMO_FOLDER};
}

std::string ActiveOrDefault() {
  const std::string active = ReadActiveValue();
  return active.empty() ? kDefaultProduct : active;
}

const PageTraits kTraits{IDD_INSTALL_DESTINATION, PageProduct::kActiveProduct, PageCaption::kOwn,
                         PageHeadings::kFirst,    PageBanner::kActiveProduct,  NextMarker::kClear};

}  // namespace

const kit::CommandEntry<CInstallDestination> CInstallDestination::kCommands[] = {
    {IDC_BROWSE, BN_CLICKED, &CInstallDestination::OnBrowse},
    {IDC_DISK_COST, BN_CLICKED, &CInstallDestination::OnDiskCost},
};

CInstallDestination::CInstallDestination() : CDestinationPage(kTraits) {
  SetCommandMap(kCommands);
}

// Worked out afresh from "active" every time.
std::string CInstallDestination::OptionKey() const {
  return SelectProduct(ReadActiveValue()).optionKey;
}

std::string CInstallDestination::DiskCostSection() const {
  return ActiveOrDefault();
}

void CInstallDestination::Show() {
  // The product's name as the driver INI spells its section: "active" as stored.
  const std::string title = GetProductName(ActiveOrDefault());
  SetTitle(title, title);

  const std::string active = ReadActiveValue();
  const Product product = SelectProduct(active);
  kit::LoadResourceString(IDS_LUMO_FOLDER, &m_productFolder);
  kit::LoadResourceString(product.folderNameString, &m_productFolder);

  std::string destination;
  if (ReadCanceled(product.optionKey) != 1)
    ReadRegistryString(product.optionKey, kTargetDirValue, &destination);
  if (destination.empty()) {
    m_installDir =
        kelvra::RemoveTrailingBackslash(ReadInstallProductFolder(), kelvra::IsAnsiLeadByte);
    destination = kelvra::JoinFolder(m_installDir, m_productFolder, kelvra::IsAnsiLeadByte);
  }
  ShowDestination(destination);
  ShowProductText(active);
}

void CInstallDestination::ShowProductText(const std::string& active) const {
  std::string format;
  kit::LoadResourceString(IDS_PRODUCT_TEXT, &format);
  const std::string name = ini_.ReadString(kelvra::ToUpper(active), "PRODUCT_NAME",
                                           ini_.PathBesideDriver("Options.ini"));
  SetDlgItemText(IDC_PRODUCT_TEXT, kit::FormatStrings(format, {name, name}));
}

bool CInstallDestination::Commit() {
  WriteRegistryString(OptionKey(), kTargetDirValue,
                      kelvra::WithOneTrailingBackslash(Destination(), kelvra::IsAnsiLeadByte));
  return true;
}

void CInstallDestination::OnBrowse() {
  std::string picked = m_installDir;
  if (!PickFolder(&picked)) return;
  m_installDir = kelvra::WithBackslash(picked, kelvra::IsAnsiLeadByte);
  ShowDestination(kelvra::JoinFolder(m_installDir, m_productFolder, kelvra::IsAnsiLeadByte));
}
