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
  void Show(const PageVisit& visit, const CRegistryKey& stored) override;
  bool Commit(const PageVisit& visit, CRegistryChanges& options) override;
};
