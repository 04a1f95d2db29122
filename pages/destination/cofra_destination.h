// The Cofra destination page: the folder under which the client of Cofra,
// or of Nerva when that is the active product, is installed.
#pragma once

#include <string>

#include "pages/destination/destination_page.h"

class CCofraDestination : public CParentFolderPage {
 public:
  static const kit::RuntimeClass kRuntimeClass;
  const kit::RuntimeClass* GetRuntimeClass() const override { return &kRuntimeClass; }

  CCofraDestination();

 private:
  std::string OptionKey() const override;
  void Show(const std::string& optionKey, bool storedCounts) override;
};
