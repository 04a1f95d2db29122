#include "pages/server/ulvo_destination.h"

#include "framework/folder_path.h"
#include "framework/registry.h"
#include "framework/setup_context.h"
#include "framework/text_compare.h"
#include "kit/ui_helpers.h"
#include "pages/destination/parent_folder.h"
#include "resdll/kelvrares_ids.h"

namespace {

const PageTraits kTraits{IDD_DESTINATION_FOLDER,     PageProduct::kActiveProduct,
                         PageCaption::kProductName,  PageHeadings::kFirst,
                         PageBanner::kActiveProduct, CancelMarker::kClearOnNext};

}  // namespace

CUlvoDestination::CUlvoDestination() : CDestinationPage(kTraits) {}

std::string CUlvoDestination::OptionKey() const {
  return ActiveOptionKey(kelvra::KeyedPage::kServer);
}

void CUlvoDestination::Show(const std::string& optionKey, bool storedCounts) {
  SetDlgItemText(IDC_FOLDER_DESCRIPTION, ProductDescription());
  LoadProductFolder(IDS_ULVO_FOLDER);

  // The family install folder, unless an earlier Next stored one of its own.
  std::string stored;
  if (storedCounts) ReadRegistryString(optionKey, kTargetDirValue, &stored);
  SetInstallDir(stored.empty() ? ReadInstallProductFolder() : stored);
  ShowFolder(InstallDir());
}

bool CUlvoDestination::Commit(const std::string& optionKey) {
  const std::string text = Destination();
  const std::string folder =
      text == shown_ ? kelvra::WithoutDoubledBackslash(InstallDir(), kelvra::IsAnsiLeadByte)
                     : kelvra::ParentFolderOf(text, kelvra::IsAnsiLeadByte);
  WriteRegistryString(optionKey, kTargetDirValue, folder);
  return true;
}

// The picker starts from the page's folder, not from what was typed.
void CUlvoDestination::OnBrowse() {
  std::string picked = InstallDir();
  if (!PickFolder(&picked)) return;
  SetInstallDir(kelvra::WithBackslash(picked, kelvra::IsAnsiLeadByte));
  ShowFolder(InstallDir() + ProductFolder());
}

void CUlvoDestination::ShowFolder(const std::string& text) {
  ShowDestination(text);
  shown_ = text;
}
