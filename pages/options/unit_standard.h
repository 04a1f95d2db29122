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
  void Show(const PageVisit& visit, const CRegistryKey& stored) override;
  bool Commit(const PageVisit& visit, CRegistryChanges& options) override;

  std::wstring units_;
  std::wstring drawingStandard_;  // kept by Next when no standard radio is checked
};
