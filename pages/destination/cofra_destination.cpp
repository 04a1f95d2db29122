#include "pages/destination/cofra_destination.h"

#include "framework/setup_context.h"
#include "kit/ui_helpers.h"
#include "resdll/kelvrares_ids.h"

namespace {

const PageTraits kTraits{IDD_DESTINATION_FOLDER,     PageProduct::kActiveProduct,
                         PageCaption::kProductName,  PageHeadings::kFirst,
                         PageBanner::kActiveProduct, CancelMarker::kKeep};

}  // namespace

CCofraDestination::CCofraDestination() : CParentFolderPage(kTraits) {}

std::wstring CCofraDestination::OptionKey() const {
  return ActiveOptionKey(kelvra::KeyedPage::kClient);
}

void CCofraDestination::Show(const std::wstring& optionKey, bool storedCounts) {
  SetDlgItemText(IDC_FOLDER_DESCRIPTION, ProductDescription());
  LoadProductFolder(ActiveProductOption(kelvra::KeyedPage::kClient).folderNameId);
  ShowParentFolder(optionKey, storedCounts);
}
