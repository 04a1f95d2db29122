#include "pages/options/unit_standard.h"

#include "framework/registry.h"
#include "framework/setup_context.h"
#include "pages/options/unit_standard_table.h"
#include "resdll/kelvrares_ids.h"

namespace {

const char kUnitsValue[] = "UNITS";
const char kDrawingStandardValue[] = "DRAWINGSTANDARD";
const char kDefaultsFile[] = "OPTIONS.INI";
const char kDefaultsSection[] = "FERRIX";

// Next leaves the marker alone: another page on the Ferrix key clears it.
const PageTraits kTraits{IDD_UNIT_STANDARD,   PageProduct::kDriverProduct, PageCaption::kSetupTitle,
                         PageHeadings::kBoth, PageBanner::kDriverProduct,  CancelMarker::kKeep};

}  // namespace

CUnitStandard::CUnitStandard() : CSetupPage(kTraits) {}

std::string CUnitStandard::OptionKey() const {
  return setup_keys::kFerrix;
}

void CUnitStandard::Show(const std::string& optionKey, bool storedCounts) {
  kelvra::UnitChoice stored;
  CRegistryReadKey key;
  if (storedCounts && key.Open(HKEY_CURRENT_USER, optionKey))
    stored = {key.QueryString(kUnitsValue), key.QueryString(kDrawingStandardValue)};
  const kelvra::UnitChoice choice = kelvra::ChoosePreselection(stored, [this] {
    const std::string file = Ini().PathBesideDriver(kDefaultsFile);
    return kelvra::UnitChoice{Ini().ReadString(kDefaultsSection, kUnitsValue, file),
                              Ini().ReadString(kDefaultsSection, kDrawingStandardValue, file)};
  });
  units_ = choice.units;
  drawingStandard_ = choice.standard;
  // The template starts with nothing checked, so one check per group is enough.
  SetChecked(kelvra::UnitsRadioFor(units_), true);
  SetChecked(kelvra::StandardRadioFor(drawingStandard_), true);
}

bool CUnitStandard::Commit(const std::string& optionKey) {
  units_ = kelvra::UnitsValue(IsChecked(IDC_UNITS_INCH));
  drawingStandard_ = kelvra::StandardValue(
      [this](unsigned id) { return IsChecked(static_cast<int>(id)); }, drawingStandard_);
  CRegistryWriteKey key;
  if (key.Open(HKEY_CURRENT_USER, optionKey)) {
    key.SetString(kUnitsValue, units_);
    key.SetString(kDrawingStandardValue, drawingStandard_);
  }
  return true;
}
