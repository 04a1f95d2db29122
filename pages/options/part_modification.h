// The part modification page: may drawings be edited (ALLOWDRAWINGEDIT)?
#pragma once

#include "framework/setup_page.h"

class CPartModification : public CSetupPage {
 public:
  KIT_RUNTIME_CLASS(CPartModification, CSetupPage);

  CPartModification();

 private:
  void Show(const PageVisit& visit, const CRegistryKey& stored) override;
  bool Commit(const PageVisit& visit, CRegistryChanges& options) override;
};
