#include "pages/options/unit_standard.h"

#include "framework/registry.h"
#include "framework/setup_context.h"
#include "pages/options/unit_standard_table.h"
#include "resdll/kelvrares_ids.h"

namespace {

const wchar_t kUnitsValue[] = L"UNITS";
const wchar_t kDrawingStandardValue[] = L"DRAWINGSTANDARD";
const wchar_t kDefaultsSection[] = L"FERRIX";

// Next leaves the marker alone: another page on the Ferrix key clears it.
const PageTraits kTraits{IDD_UNIT_STANDARD,
                         PageProduct::kDriverProduct,
                         PageCaption::kSetupTitle,
                         PageHeadings::kBoth,
                         PageBanner::kDriverProduct,
                         CancelMarker::kKeep,
                         FixedKey(setup_keys::kFerrix)};

}  // namespace

CUnitStandard::CUnitStandard() : CSetupPage(kTraits) {}

void CUnitStandard::Show(const PageVisit&, const CRegistryKey& stored) {
  const kelvra::UnitChoice storedChoice{stored.QueryString(kUnitsValue),
                                        stored.QueryString(kDrawingStandardValue)};
  const kelvra::UnitChoice choice = kelvra::ChoosePreselection(storedChoice, [this] {
    const std::wstring file = Ini().OptionsIniPath();
    return kelvra::UnitChoice{Ini().ReadString(kDefaultsSection, kUnitsValue, file),
                              Ini().ReadString(kDefaultsSection, kDrawingStandardValue, file)};
  });
  units_ = choice.units;
  drawingStandard_ = choice.standard;
  // The template starts with nothing checked, so one check per group is enough.
  SetChecked(kelvra::UnitsRadioFor(units_), true);
  SetChecked(kelvra::StandardRadioFor(drawingStandard_), true);
}

bool CUnitStandard::Commit(const PageVisit&, CRegistryChanges& options) {
  units_ = kelvra::UnitsValue(IsChecked(IDC_UNITS_INCH));
  drawingStandard_ = kelvra::StandardValue(
      [this](unsigned id) { return IsChecked(static_cast<int>(id)); }, drawingStandard_);
  options.SetString(kUnitsValue, units_);
  options.SetString(kDrawingStandardValue, drawingStandard_);
  return true;
}
