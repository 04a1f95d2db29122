#include "pages/destination/ferrix_destination.h"

#include "framework/setup_context.h"
#include "kit/text_format.h"
#include "kit/ui_helpers.h"
#include "res/kelvra_ids.h"
#include "resdll/kelvrares_ids.h"

namespace {

const PageTraits kTraits{IDD_DESTINATION_FOLDER,       PageProduct::kDriverProduct,
                         PageCaption::kSetupTitle,     PageHeadings::kFirst,
                         PageBanner::kDriverProduct,   CancelMarker::kKeep,
                         FixedKey(setup_keys::kFerrix)};

}  // namespace

CFerrixDestination::CFerrixDestination() : CParentFolderPage(kTraits) {}

// The sizes are Ferrix's whatever product is active.
std::wstring CFerrixDestination::DiskCostSection() const {
  return L"FERRIX";
}

// The standard edition is the driver installing with the Ferrix icon.
void CFerrixDestination::Show(const PageVisit&, const CRegistryKey& stored) {
  const UINT edition =
      GetPageIconId() == IDI_FERRIX ? IDS_FERRIX_STANDARD_EDITION : IDS_FERRIX_OTHER_EDITION;
  SetDlgItemText(IDC_FOLDER_DESCRIPTION,
                 kit::FormatStrings(kit::ResourceString(IDS_FERRIX_DESCRIPTION),
                                    {kit::ResourceString(edition)}));
  LoadProductFolder(IDS_FERRIX_FOLDER);
  ShowParentFolder(stored);
}
