// The Cofra destination page: the folder under which the client of Cofra,
// or of Nerva when that is the active product, is installed.
#pragma once

#include <string>

#include "pages/destination/destination_page.h"

class CCofraDestination : public CParentFolderPage {
 public:
  KIT_RUNTIME_CLASS(CCofraDestination, CParentFolderPage);

  CCofraDestination();

 private:
  void Show(const PageVisit& visit, const CRegistryKey& stored) override;
};
