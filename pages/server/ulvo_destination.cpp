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

std::wstring CUlvoDestination::OptionKey() const {
  return ActiveOptionKey(kelvra::KeyedPage::kServer);
}

void CUlvoDestination::Show(const std::wstring& optionKey, bool storedCounts) {
  SetDlgItemText(IDC_FOLDER_DESCRIPTION, ProductDescription());
  LoadProductFolder(IDS_ULVO_FOLDER);

  // The family install folder, unless an earlier Next stored one of its own.
  std::wstring stored;
  if (storedCounts) ReadRegistryString(optionKey, kTargetDirValue, &stored);
  SetInstallDir(stored.empty() ? ReadInstallProductFolder() : stored);
  ShowFolder(InstallDir());
}

bool CUlvoDestination::Commit(const std::wstring& optionKey) {
  const std::wstring text = Destination();
  const std::wstring folder =
      text == shown_ ? kelvra::WithoutDoubledBackslash(InstallDir()) : kelvra::ParentFolderOf(text);
  WriteRegistryString(optionKey, kTargetDirValue, folder);
  return true;
}

// The picker starts from the page's folder, not from what was typed.
void CUlvoDestination::OnBrowse() {
  std::wstring picked = InstallDir();
  if (!PickFolder(&picked)) return;
  SetInstallDir(kelvra::WithBackslash(picked));
  ShowFolder(InstallDir() + ProductFolder());
}

void CUlvoDestination::ShowFolder(const std::wstring& text) {
  ShowDestination(text);
  shown_ = text;
}
