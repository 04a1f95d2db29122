#include "pages/server/ulvo_destination.h"

#include "framework/folder_path.h"
#include "framework/registry.h"
#include "framework/setup_context.h"
#include "framework/text_compare.h"
#include "kit/ui_helpers.h"
#include "pages/destination/parent_folder.h"
#include "resdll/kelvrares_ids.h"

namespace {

const PageTraits kTraits{IDD_DESTINATION_FOLDER,
                         PageProduct::kActiveProduct,
                         PageCaption::kProductName,
                         PageHeadings::kFirst,
                         PageBanner::kActiveProduct,
                         CancelMarker::kClearOnNext,
                         ActiveRow(kelvra::KeyedPage::kServer)};

}  // namespace

CUlvoDestination::CUlvoDestination() : CDestinationPage(kTraits) {}

void CUlvoDestination::Show(const PageVisit& visit, const CRegistryKey& stored) {
  SetDlgItemText(IDC_FOLDER_DESCRIPTION, ProductDescription(visit));
  LoadProductFolder(IDS_ULVO_FOLDER);

  // The family install folder, unless an earlier Next stored one of its own.
  SetInstallDir(StoredOrInstallProductFolder(stored));
  ShowFolder(InstallDir());
}

bool CUlvoDestination::Commit(const PageVisit&, CRegistryChanges& options) {
  const std::wstring text = Destination();
  const std::wstring folder =
      text == shown_ ? kelvra::WithoutDoubledBackslash(InstallDir()) : kelvra::ParentFolderOf(text);
  options.SetString(kTargetDirValue, folder);
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
