#include "pages/options/unit_standard_table.h"

#include <gtest/gtest.h>

#include "resdll/kelvrares_ids.h"

namespace kelvra {
namespace {

TEST(UnitStandardTable, RadiosForStoredNamesAndNamesForRadios) {
  struct Case {
    const char* units;
    unsigned unitsRadio;
    const char* standard;
    unsigned standardRadio;
  };
  const Case cases[] = {
      {"INCH", IDC_UNITS_INCH, "ANSI", IDC_STANDARD_ANSI},
      {"inch", IDC_UNITS_INCH, "iso", IDC_STANDARD_ISO},
      {"mm", IDC_UNITS_MM, "Din", IDC_STANDARD_DIN},
      {"", IDC_UNITS_MM, "JIS", IDC_STANDARD_JIS},
      {" inch", IDC_UNITS_MM, "gb", IDC_STANDARD_GB},
      {"in", IDC_UNITS_MM, "BSI", IDC_STANDARD_BSI},
      {"inches", IDC_UNITS_MM, "", IDC_STANDARD_ANSI},
      {"MM", IDC_UNITS_MM, "JISGB", IDC_STANDARD_ANSI},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UnitsRadioFor(c.units), c.unitsRadio) << c.units;
    EXPECT_EQ(StandardRadioFor(c.standard), c.standardRadio) << c.standard;
  }
  for (const UnitStandardRow& row : UnitStandardTable)
    EXPECT_EQ(StandardValue([&](unsigned id) { return id == row.radioId; }, ""), row.name);
  EXPECT_EQ(StandardValue([](unsigned) { return false; }, "loaded"), "loaded");
}

}  // namespace
}  // namespace kelvra
