#include "pages/options/unit_standard_table.h"

#include "framework/text_compare.h"
#include "resdll/kelvrares_ids.h"

namespace kelvra {

const UnitStandardRow UnitStandardTable[6] = {
    {"ANSI", IDC_STANDARD_ANSI}, {"ISO", IDC_STANDARD_ISO}, {"DIN", IDC_STANDARD_DIN},
    {"JIS", IDC_STANDARD_JIS},   {"GB", IDC_STANDARD_GB},   {"BSI", IDC_STANDARD_BSI},
};

UnitChoice ChoosePreselection(const UnitChoice& stored,
                              const std::function<UnitChoice()>& readDefaults) {
  if (!stored.units.empty() && !stored.standard.empty()) return stored;
  return readDefaults();
}

unsigned UnitsRadioFor(const std::string& units) {
  return EqualsNoCase(units, "inch") ? IDC_UNITS_INCH : IDC_UNITS_MM;
}

unsigned StandardRadioFor(const std::string& standard) {
  for (const UnitStandardRow& row : UnitStandardTable) {
    if (EqualsNoCase(standard, row.name)) return row.radioId;
  }
  return IDC_STANDARD_ANSI;
}

std::string UnitsValue(bool inchChecked) {
  return inchChecked ? "INCH" : "MM";
}

std::string StandardValue(const std::function<bool(unsigned radioId)>& isChecked,
                          const std::string& loaded) {
  for (const UnitStandardRow& row : UnitStandardTable) {
    if (isChecked(row.radioId)) return row.name;
  }
  return loaded;
}

}  // namespace kelvra
