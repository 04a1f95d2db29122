#include "pages/options/unit_standard_table.h"

#include <gtest/gtest.h>

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
      {"INCH", 8008, "ANSI", 8010}, {"inch", 8008, "iso", 8014}, {"mm", 8009, "Din", 8012},
      {"", 8009, "JIS", 8015},      {" inch", 8009, "gb", 8013}, {"in", 8009, "BSI", 8011},
      {"inches", 8009, "", 8010},   {"MM", 8009, "JISGB", 8010},
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
