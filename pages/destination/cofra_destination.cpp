#include "pages/destination/cofra_destination.h"

#include "framework/setup_context.h"
#include "kit/ui_helpers.h"
#include "resdll/kelvrares_ids.h"

namespace {

const PageTraits kTraits{IDD_DESTINATION_FOLDER,
                         PageProduct::kActiveProduct,
                         PageCaption::kProductName,
                         PageHeadings::kFirst,
                         PageBanner::kActiveProduct,
                         CancelMarker::kKeep,
                         ActiveRow(kelvra::KeyedPage::kClient)};

}  // namespace

CCofraDestination::CCofraDestination() : CParentFolderPage(kTraits) {}

void CCofraDestination::Show(const PageVisit& visit, const CRegistryKey& stored) {
  SetDlgItemText(IDC_FOLDER_DESCRIPTION, ProductDescription(visit));
  LoadProductFolder(visit.option.folderNameId);
  ShowParentFolder(stored);
}
