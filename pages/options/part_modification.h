// The part modification page: may drawings be edited (ALLOWDRAWINGEDIT)?
#pragma once

#include "framework/setup_page.h"

class CPartModification : public CSetupPage {
 public:
  KIT_RUNTIME_CLASS(CPartModification, CSetupPage);

  CPartModification();

 private:
  std::string OptionKey() const override;
  void Show(const std::string& optionKey, bool storedCounts) override;
  bool Commit(const std::string& optionKey) override;
};
