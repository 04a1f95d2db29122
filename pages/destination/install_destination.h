// The destination page of the single-folder products: Lookglass,
// Quillmaker and, for every other active product, Lumo.
#pragma once

#include <string>

#include "pages/destination/destination_page.h"

class CInstallDestination : public CDestinationPage {
 public:
  static const kit::RuntimeClass kRuntimeClass;
  const kit::RuntimeClass* GetRuntimeClass() const override { return &kRuntimeClass; }

  CInstallDestination();

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(UINT id, UINT code) override;
  std::string DiskCostSection() const override;

 private:
  static const kit::CommandEntry<CInstallDestination> kCommands[];

  void ShowDefaultDestination();
  void ShowProductText(const std::string& active) const;
  void OnNext();
  void OnCancelPage();
  void OnBrowse();
};

extern "C" int __cdecl InstallDestinationDlg();
