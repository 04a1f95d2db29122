#include "pages/server/ulvo_destination.h"

#include "framework/folder_path.h"
#include "framework/text_compare.h"
#include "framework/registry.h"
#include "framework/setup_context.h"
#include "kit/ui_helpers.h"
#include "pages/destination/parent_folder.h"
#include "pages/server/server_option_key.h"
#include "resdll/kelvrares_ids.h"

namespace {

const PageTraits kTraits{IDD_DESTINATION_FOLDER,     PageProduct::kActiveProduct,
                         PageCaption::kProductName,  PageHeadings::kFirst,
                         PageBanner::kActiveProduct, NextMarker::kClear};

}  // namespace

const kit::CommandEntry<CUlvoDestination> CUlvoDestination::kCommands[] = {
    {IDC_BROWSE, BN_CLICKED, &CUlvoDestination::OnBrowse},
    {IDC_DISK_COST, BN_CLICKED, &CUlvoDestination::OnDiskCost},
};

CUlvoDestination::CUlvoDestination() : CDestinationPage(kTraits) {
  SetCommandMap(kCommands);
}

std::string CUlvoDestination::OptionKey() const {
  return ServerOptionKey();
}

std::string CUlvoDestination::DiskCostSection() const {
  return GetActiveProduct();
}

void CUlvoDestination::Show() {
  SetDlgItemText(IDC_FOLDER_DESCRIPTION, ProductDescription());
  kit::LoadResourceString(IDS_ULVO_FOLDER, &m_productFolder);
  const std::string key = OptionKey();
  const bool cancelled = ReadCanceled(key) == 1;

  // The family install folder, unless an earlier Next stored one of its own.
  ReadRegistryString(setup_keys::kInstallProduct, kTargetDirValue, &m_installDir);
  std::string stored;
  if (!cancelled) ReadRegistryString(key, kTargetDirValue, &stored);
  if (!stored.empty()) m_installDir = stored;
  ShowFolder(m_installDir);
}

bool CUlvoDestination::Commit() {
  const std::string text = Destination();
  const std::string folder =
      text == m_shown ? kelvra::WithoutDoubledBackslash(m_installDir, kelvra::IsAnsiLeadByte)
                      : kelvra::ParentFolderOf(text, kelvra::IsAnsiLeadByte);
  WriteRegistryString(OptionKey(), kTargetDirValue, folder);
  return true;
}

// The picker starts from the page's folder, not from what was typed.
void CUlvoDestination::OnBrowse() {
  std::string picked = m_installDir;
  if (!PickFolder(&picked)) return;
  m_installDir = kelvra::WithBackslash(picked, kelvra::IsAnsiLeadByte);
  ShowFolder(m_installDir + m_productFolder);
}

void CUlvoDestination::ShowFolder(const std::string& text) {
  ShowDestination(text);
  m_shown = text;
}
