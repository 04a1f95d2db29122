#include "pages/options/unit_standard_table.h"

#include "framework/text_compare.h"
#include "resdll/kelvrares_ids.h"

namespace kelvra {

const UnitStandardRow UnitStandardTable[6] = {
    {L"ANSI", IDC_STANDARD_ANSI}, {L"ISO", IDC_STANDARD_ISO}, {L"DIN", IDC_STANDARD_DIN},
    {L"JIS", IDC_STANDARD_JIS},   {L"GB", IDC_STANDARD_GB},   {L"BSI", IDC_STANDARD_BSI},
};

UnitChoice ChoosePreselection(const UnitChoice& stored,
                              const std::function<UnitChoice()>& readDefaults) {
  if (!stored.units.empty() && !stored.standard.empty()) return stored;
  return readDefaults();
}

unsigned UnitsRadioFor(const std::wstring& units) {
  return EqualsNoCase(units, L"inch") ? IDC_UNITS_INCH : IDC_UNITS_MM;
}

unsigned StandardRadioFor(const std::wstring& standard) {
  for (const UnitStandardRow& row : UnitStandardTable) {
    if (EqualsNoCase(standard, row.name)) return row.radioId;
  }
  return IDC_STANDARD_ANSI;
}

std::wstring UnitsValue(bool inchChecked) {
  return inchChecked ? L"INCH" : L"MM";
}

std::wstring StandardValue(const std::function<bool(unsigned radioId)>& isChecked,
                           const std::wstring& loaded) {
  for (const UnitStandardRow& row : UnitStandardTable) {
    if (isChecked(row.radioId)) return row.name;
  }
  return loaded;
}

}  // namespace kelvra
