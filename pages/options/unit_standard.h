// The unit standard page: inch or millimetre, and the drawing standard of
// Ferrix (UNITS and DRAWINGSTANDARD under the Ferrix option key).
#pragma once

#include <string>

#include "framework/setup_page.h"

class CUnitStandard : public CSetupPage {
 public:
  KIT_RUNTIME_CLASS(CUnitStandard, CSetupPage);

  CUnitStandard();

 private:
  std::wstring OptionKey() const override;
  void Show(const std::wstring& optionKey, bool storedCounts) override;
  bool Commit(const std::wstring& optionKey) override;

  std::wstring units_;
  std::wstring drawingStandard_;  // kept by Next when no standard radio is checked
};
