// The part modification page: may drawings be edited (ALLOWDRAWINGEDIT)?
#pragma once

#include "framework/setup_page.h"

class CPartModification : public CSetupPage {
 public:
  KIT_RUNTIME_CLASS(CPartModification, CSetupPage);

  CPartModification();

 private:
  std::string OptionKey() const override;
  void Show() override;
  bool Commit() override;
};
