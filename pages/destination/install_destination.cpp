#include "pages/destination/install_destination.h"

#include "framework/folder_path.h"
#include "framework/page_entry.h"
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

// The product option key, worked out afresh from "active" every time.
std::string ProductOptionKey() {
  return SelectProduct(ReadActiveValue()).optionKey;
}

std::string ActiveOrDefault() {
  const std::string active = ReadActiveValue();
  return active.empty() ? kDefaultProduct : active;
}

}  // namespace

const kit::RuntimeClass CInstallDestination::kRuntimeClass{"CInstallDestination",
                                                           &CDestinationPage::kRuntimeClass};

const kit::CommandEntry<CInstallDestination> CInstallDestination::kCommands[] = {
    {IDC_BROWSE, BN_CLICKED, &CInstallDestination::OnBrowse},
    {IDC_DISK_COST, BN_CLICKED, &CInstallDestination::OnDiskCost},
    {IDC_BACK, BN_CLICKED, &CInstallDestination::OnBack},
    {IDC_NEXT, BN_CLICKED, &CInstallDestination::OnNext},
    {IDCANCEL, BN_CLICKED, &CInstallDestination::OnCancelPage},
};

CInstallDestination::CInstallDestination()
    : CDestinationPage(IDD_INSTALL_DESTINATION, GetActivePageIconId()) {}

bool CInstallDestination::OnCommand(UINT id, UINT code) {
  return kit::DispatchCommand(*this, kCommands, id, code) || CDestinationPage::OnCommand(id, code);
}

BOOL CInstallDestination::OnInitDialog() {
  CDestinationPage::OnInitDialog();
  // The product's name as the driver INI spells its section: "active" as stored.
  const std::string title = GetProductName(ActiveOrDefault());
  SetTitle(title, title);
  SetHeadingFont(false);
  ShowBanner(GetActiveBannerBitmapId());
  ShowDefaultDestination();
  return TRUE;
}

std::string CInstallDestination::DiskCostSection() const {
  return ActiveOrDefault();
}

void CInstallDestination::ShowDefaultDestination() {
  const std::string active = ReadActiveValue();
  const Product product = SelectProduct(active);
  kit::LoadResourceString(IDS_LUMO_FOLDER, &m_productFolder);
  kit::LoadResourceString(product.folderNameString, &m_productFolder);

  std::string destination;
  if (ReadCanceled(product.optionKey) != 1)
    ReadRegistryString(product.optionKey, kTargetDirValue, &destination);
  if (destination.empty()) {
    m_installDir = kelvra::RemoveTrailingBackslash(ReadInstallProductFolder());
    destination = kelvra::JoinFolder(m_installDir, m_productFolder);
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

void CInstallDestination::OnNext() {
  const std::string key = ProductOptionKey();
  WriteRegistryString(key, kTargetDirValue, kelvra::WithOneTrailingBackslash(Destination()));
  MarkCanceled(key, 0);
  EndDialog(kResultNext);
}

void CInstallDestination::OnCancelPage() {
  CancelPage(ProductOptionKey());
}

void CInstallDestination::OnBrowse() {
  std::string picked = m_installDir;
  if (!PickFolder(&picked)) return;
  m_installDir = kelvra::WithBackslash(picked);
  ShowDestination(kelvra::JoinFolder(m_installDir, m_productFolder));
}

int __cdecl InstallDestinationDlg() {
  return RunPage<CInstallDestination>();
}
