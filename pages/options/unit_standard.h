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
  std::string OptionKey() const override;
  void Show(const std::string& optionKey, bool storedCounts) override;
  bool Commit(const std::string& optionKey) override;

  std::string units_;
  std::string drawingStandard_;  // kept by Next when no standard radio is checked
};
