// The Ferrix destination page: the folder under which Ferrix is installed,
// always on the Ferrix option key; caption, icon, banner and description
// follow the driver's own product, not the active one.
#pragma once

#include <string>

#include "pages/destination/destination_page.h"

class CFerrixDestination : public CParentFolderPage {
 public:
  static const kit::RuntimeClass kRuntimeClass;
  const kit::RuntimeClass* GetRuntimeClass() const override { return &kRuntimeClass; }

  CFerrixDestination();

 private:
  std::string OptionKey() const override;
  void Show(const std::string& optionKey, bool storedCounts) override;
  std::string DiskCostSection() const override;
};
