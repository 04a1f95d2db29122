#include "pages/destination/cofra_destination.h"

#include "framework/setup_context.h"
#include "framework/text_compare.h"
#include "kit/ui_helpers.h"
#include "resdll/kelvrares_ids.h"

namespace {

const PageTraits kTraits{IDD_DESTINATION_FOLDER,     PageProduct::kActiveProduct,
                         PageCaption::kProductName,  PageHeadings::kFirst,
                         PageBanner::kActiveProduct, NextMarker::kKeep};

struct Client {
  const char* optionKey;
  UINT folderNameString;
};

// Nerva's client by name; every other product, none included, is Cofra's.
Client SelectClient() {
  if (kelvra::EqualsNoCase(GetActiveProduct(), "nervaclient"))
    return {setup_keys::kNervaClient, IDS_NERVA_CLIENT_FOLDER};
  return {setup_keys::kCofraClient, IDS_COFRA_CLIENT_FOLDER};
}

}  // namespace

CCofraDestination::CCofraDestination() : CParentFolderPage(kTraits) {}

std::string CCofraDestination::OptionKey() const {
  return SelectClient().optionKey;
}

std::string CCofraDestination::DiskCostSection() const {
  return GetActiveProduct();
}

void CCofraDestination::Show() {
  SetDlgItemText(IDC_FOLDER_DESCRIPTION, ProductDescription());
  const Client client = SelectClient();
  kit::LoadResourceString(client.folderNameString, &m_productFolder);
  ShowParentFolder(client.optionKey);
}
