// The Ferrix destination page: the folder under which Ferrix is installed,
// always on the Ferrix option key; caption, icon, banner and description
// follow the driver's own product, not the active one.
#pragma once

#include <string>

#include "pages/destination/destination_page.h"

class CFerrixDestination : public CParentFolderPage {
 public:
  KIT_RUNTIME_CLASS(CFerrixDestination, CParentFolderPage);

  CFerrixDestination();

 private:
  void Show(const PageVisit& visit, const CRegistryKey& stored) override;
  std::wstring DiskCostSection() const override;
};
