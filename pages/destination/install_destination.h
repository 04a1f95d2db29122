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
  void Show(const PageVisit& visit, const CRegistryKey& stored) override;
  bool Commit(const PageVisit& visit, CRegistryChanges& options) override;
  std::wstring DiskCostSection() const override;

  void ShowProductText(const std::wstring& active) const;
  void OnBrowse() override;
};
