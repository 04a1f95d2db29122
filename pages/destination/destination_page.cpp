#include "pages/destination/destination_page.h"

#include "framework/registry.h"
#include "framework/setup_context.h"
#include "kit/ui_helpers.h"
#include "pages/server/disk_cost_request.h"
#include "pages/server/folder_browser.h"
#include "resdll/kelvrares_ids.h"

const kit::RuntimeClass CDestinationPage::kRuntimeClass{"CDestinationPage",
                                                        &CSetupPage::kRuntimeClass};

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
