// The Cofra shortcut page: whether the data-management client (Cofra, or
// Nerva for the Nerva client) puts its menu on the desktop.
#pragma once

#include <string>

#include "framework/setup_page.h"

class CCofraShortcut : public CSetupPage {
 public:
  KIT_RUNTIME_CLASS(CCofraShortcut, CSetupPage);

  CCofraShortcut();

 private:
  std::wstring OptionKey() const override;
  void Show(const std::wstring& optionKey, bool storedCounts) override;
  bool Commit(const std::wstring& optionKey) override;
};
