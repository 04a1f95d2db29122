// The destination page of the single-folder products: Lookglass,
// Quillmaker and, for every other active product, Lumo.
#pragma once

#include <string>

#include "pages/destination/destination_page.h"

class CInstallDestination : public CDestinationPage {
 public:
  KIT_RUNTIME_CLASS(CInstallDestination, CDestinationPage);

  CInstallDestination();

 private:
  std::string OptionKey() const override;
  void Show(const std::string& optionKey, bool storedCounts) override;
  bool Commit(const std::string& optionKey) override;
  std::string DiskCostSection() const override;

  void ShowProductText(const std::string& active) const;
  void OnBrowse() override;
};
