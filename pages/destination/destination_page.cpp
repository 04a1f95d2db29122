#include "pages/destination/destination_page.h"

#include "framework/folder_path.h"
#include "framework/registry.h"
#include "framework/setup_context.h"
#include "framework/text_compare.h"
#include "kit/ui_helpers.h"
#include "pages/destination/folder_browser.h"
#include "pages/destination/parent_folder.h"
#include "pages/disk_cost/disk_cost_request.h"
#include "resdll/kelvrares_ids.h"

// After the page's own table, before the shared buttons.
const kit::CommandEntry<CDestinationPage> CDestinationPage::kCommands[] = {
    {IDC_BROWSE, BN_CLICKED, &CDestinationPage::OnBrowse},
    {IDC_DISK_COST, BN_CLICKED, &CDestinationPage::OnDiskCost},
};

bool CDestinationPage::OnCommand(UINT id, UINT code) {
  return kit::RunCommand(kCommands, *this, id, code) || CSetupPage::OnCommand(id, code);
}

std::wstring CDestinationPage::DiskCostSection() const {
  return GetActiveProduct();
}

void CDestinationPage::OnDiskCost() {
  ShowDiskCost(Hwnd(), DiskCostSection(), Destination());
}

bool CDestinationPage::PickFolder(std::wstring* folder) const {
  return BrowseForFolder(Hwnd(), folder, kit::ResourceString(IDS_PICK_FOLDER_TITLE), false);
}

std::wstring CDestinationPage::ReadInstallProductFolder() {
  std::wstring folder;
  ReadRegistryString(setup_keys::kInstallProduct, kTargetDirValue, &folder);
  return folder;
}

std::wstring CDestinationPage::StoredOrInstallProductFolder(const CRegistryKey& stored) {
  const std::wstring folder = stored.QueryString(kTargetDirValue);
  return folder.empty() ? ReadInstallProductFolder() : folder;
}

void CDestinationPage::LoadProductFolder(UINT id) {
  kit::LoadResourceString(id, &productFolder_);
}

std::wstring ProductDescription(const PageVisit& visit) {
  return kelvra::ReplacePlaceholders(kit::ResourceString(IDS_FOLDER_DESCRIPTION),
                                     GetProductName(kelvra::ToUpper(visit.active)));
}

void CParentFolderPage::ShowParentFolder(const CRegistryKey& stored) {
  const std::wstring parent = StoredOrInstallProductFolder(stored);
  SetInstallDir(kelvra::RemoveTrailingBackslash(parent));
  ShowDestination(kelvra::JoinParentFolder(parent, ProductFolder()));
}

bool CParentFolderPage::Commit(const PageVisit&, CRegistryChanges& options) {
  SetInstallDir(kelvra::ParentFolderOf(Destination()));
  options.SetString(kTargetDirValue, InstallDir());
  return true;
}

void CParentFolderPage::OnBrowse() {
  std::wstring picked = InstallDir();
  if (!PickFolder(&picked)) return;
  SetInstallDir(kelvra::PickedParentFolder(picked));
  ShowDestination(InstallDir() + ProductFolder());
}
