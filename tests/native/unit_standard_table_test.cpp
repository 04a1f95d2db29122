#include "pages/options/unit_standard_table.h"

#include <gtest/gtest.h>

#include "resdll/kelvrares_ids.h"

namespace kelvra {
namespace {

TEST(UnitStandardTable, RadiosForStoredNamesAndNamesForRadios) {
  struct Case {
    const wchar_t* units;
    unsigned unitsRadio;
    const wchar_t* standard;
    unsigned standardRadio;
  };
  const Case cases[] = {
      {L"INCH", IDC_UNITS_INCH, L"ANSI", IDC_STANDARD_ANSI},
      {L"inch", IDC_UNITS_INCH, L"iso", IDC_STANDARD_ISO},
      {L"mm", IDC_UNITS_MM, L"Din", IDC_STANDARD_DIN},
      {L"", IDC_UNITS_MM, L"JIS", IDC_STANDARD_JIS},
      {L" inch", IDC_UNITS_MM, L"gb", IDC_STANDARD_GB},
      {L"in", IDC_UNITS_MM, L"BSI", IDC_STANDARD_BSI},
      {L"inches", IDC_UNITS_MM, L"", IDC_STANDARD_ANSI},
      {L"MM", IDC_UNITS_MM, L"JISGB", IDC_STANDARD_ANSI},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UnitsRadioFor(c.units), c.unitsRadio) << c.units;
    EXPECT_EQ(StandardRadioFor(c.standard), c.standardRadio) << c.standard;
  }
  for (const UnitStandardRow& row : UnitStandardTable)
    EXPECT_EQ(StandardValue([&](unsigned id) { return id == row.radioId; }, L""), row.name);
  EXPECT_EQ(StandardValue([](unsigned) { return false; }, L"loaded"), L"loaded");
}

}  // namespace
}  // namespace kelvra
