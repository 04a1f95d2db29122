#include "pages/destination/destination_page.h"

#include "framework/folder_path.h"
#include "framework/text_compare.h"
#include "framework/registry.h"
#include "framework/setup_context.h"
#include "kit/ui_helpers.h"
#include "pages/destination/parent_folder.h"
#include "pages/server/disk_cost_request.h"
#include "pages/server/folder_browser.h"
#include "resdll/kelvrares_ids.h"

void CDestinationPage::OnDiskCost() {
  ShowDiskCost(hwnd_, DiskCostSection(), Destination());
}

bool CDestinationPage::PickFolder(std::string* folder) const {
  return BrowseForFolder(hwnd_, folder, kit::ResourceString(IDS_PICK_FOLDER_TITLE), false);
}

std::string CDestinationPage::ReadInstallProductFolder() {
  std::string folder;
  ReadRegistryString(setup_keys::kInstallProduct, kTargetDirValue, &folder);
  return folder;
}

std::string ProductDescription() {
  return kelvra::ReplacePlaceholders(kit::ResourceString(IDS_FOLDER_DESCRIPTION),
                                     GetProductName(GetActiveProduct()));
}

const kit::CommandEntry<CParentFolderPage> CParentFolderPage::kCommands[] = {
    {IDC_BROWSE, BN_CLICKED, &CParentFolderPage::OnBrowse},
    {IDC_DISK_COST, BN_CLICKED, &CParentFolderPage::OnDiskCost},
};

CParentFolderPage::CParentFolderPage(const PageTraits& traits) : CDestinationPage(traits) {
  SetCommandMap(kCommands);
}

void CParentFolderPage::ShowParentFolder(const std::string& optionKey) {
  std::string stored;
  if (ReadCanceled(optionKey) != 1) ReadRegistryString(optionKey, kTargetDirValue, &stored);
  if (stored.empty()) stored = ReadInstallProductFolder();
  m_installDir = kelvra::RemoveTrailingBackslash(stored, kelvra::IsAnsiLeadByte);
  ShowDestination(kelvra::JoinParentFolder(stored, m_productFolder, kelvra::IsAnsiLeadByte));
}

bool CParentFolderPage::Commit() {
  m_installDir = kelvra::ParentFolderOf(Destination(), kelvra::IsAnsiLeadByte);
  WriteRegistryString(OptionKey(), kTargetDirValue, m_installDir);
  return true;
}

void CParentFolderPage::OnBrowse() {
  std::string picked = m_installDir;
  if (!PickFolder(&picked)) return;
  m_installDir = kelvra::PickedParentFolder(picked, kelvra::IsAnsiLeadByte);
  ShowDestination(m_installDir + m_productFolder);
}
