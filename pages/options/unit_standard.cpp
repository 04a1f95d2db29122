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
                         PageHeadings::kBoth, PageBanner::kDriverProduct,  NextMarker::kKeep};

}  // namespace

CUnitStandard::CUnitStandard() : CSetupPage(kTraits) {}

std::string CUnitStandard::OptionKey() const {
  return setup_keys::kFerrix;
}

void CUnitStandard::Show() {
  kelvra::UnitChoice stored;
  CRegistryReadKey key;
  if (key.Open(HKEY_CURRENT_USER, OptionKey()) && ReadCanceled(OptionKey()) != 1)
    stored = {key.QueryString(kUnitsValue), key.QueryString(kDrawingStandardValue)};
  const kelvra::UnitChoice choice = kelvra::ChoosePreselection(stored, [this] {
    const std::string file = ini_.PathBesideDriver(kDefaultsFile);
    return kelvra::UnitChoice{ini_.ReadString(kDefaultsSection, kUnitsValue, file),
                              ini_.ReadString(kDefaultsSection, kDrawingStandardValue, file)};
  });
  units_ = choice.units;
  drawingStandard_ = choice.standard;
  // The template starts with nothing checked, so one check per group is enough.
  CheckDlgButton(hwnd_, kelvra::UnitsRadioFor(units_), BST_CHECKED);
  CheckDlgButton(hwnd_, kelvra::StandardRadioFor(drawingStandard_), BST_CHECKED);
}

bool CUnitStandard::Commit() {
  units_ = kelvra::UnitsValue(IsDlgButtonChecked(hwnd_, IDC_UNITS_INCH) == BST_CHECKED);
  drawingStandard_ = kelvra::StandardValue(
      [this](unsigned id) { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; },
      drawingStandard_);
  CRegistryWriteKey key;
  if (key.Open(HKEY_CURRENT_USER, OptionKey())) {
    key.SetString(kUnitsValue, units_);
    key.SetString(kDrawingStandardValue, drawingStandard_);
  }
  return true;
}
