// The part modification page: may drawings be edited (ALLOWDRAWINGEDIT)?
#pragma once

#include "framework/setup_page.h"

class CPartModification : public CSetupPage {
 public:
  KIT_RUNTIME_CLASS(CPartModification, CSetupPage);

  CPartModification();

 private:
  std::wstring OptionKey() const override;
  void Show(const std::wstring& optionKey, bool storedCounts) override;
  bool Commit(const std::wstring& optionKey) override;
};
