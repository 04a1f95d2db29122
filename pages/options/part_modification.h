// The part modification page: may drawings be edited (ALLOWDRAWINGEDIT)?
#pragma once

#include "framework/setup_page.h"

class CPartModification : public CSetupPage {
 public:
  static const kit::RuntimeClass kRuntimeClass;
  const kit::RuntimeClass* GetRuntimeClass() const override { return &kRuntimeClass; }

  CPartModification();

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(UINT id, UINT code) override;

 private:
  static const kit::CommandEntry<CPartModification> kCommands[];

  void Preselect() const;
  void OnNext();
};

extern "C" int __cdecl PartModificationDlg();
