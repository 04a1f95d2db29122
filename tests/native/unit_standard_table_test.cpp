#include "pages/options/unit_standard_table.h"

#include <gtest/gtest.h>

#include <set>

namespace kelvra {
namespace {

TEST(UnitStandardTable, RadiosForStoredChoices) {
  struct Case {
    const char* units;
    unsigned unitsRadio;
    const char* standard;
    unsigned standardRadio;
  };
  const Case cases[] = {
      {"inch", 8008, "ANSI", 8010}, {"INCH", 8008, "iso", 8014},    {"iNcH", 8008, "din", 8012},
      {"mm", 8009, "Jis", 8015},    {"", 8009, "gb", 8013},         {"inches", 8009, "BSI", 8011},
      {"in", 8009, "", 8010},       {" inch", 8009, "JISGB", 8010}, {"MM", 8009, "DIN ", 8010},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UnitsRadioFor(c.units), c.unitsRadio) << '"' << c.units << '"';
    EXPECT_EQ(StandardRadioFor(c.standard), c.standardRadio) << '"' << c.standard << '"';
  }
}

TEST(UnitStandardTable, EveryRadioStoresItsOwnName) {
  std::set<unsigned> radios;
  for (const UnitStandardRow& row : UnitStandardTable) {
    radios.insert(row.radioId);
    EXPECT_EQ(StandardRadioFor(row.name), row.radioId) << row.name;
    EXPECT_EQ(StandardValue([&](unsigned id) { return id == row.radioId; }, "loaded"), row.name);
  }
  EXPECT_EQ(radios, (std::set<unsigned>{8010, 8011, 8012, 8013, 8014, 8015}));
}

TEST(UnitStandardTable, NothingCheckedKeepsTheLoadedStandard) {
  EXPECT_EQ(StandardValue([](unsigned) { return false; }, "din"), "din");
  EXPECT_EQ(StandardValue([](unsigned) { return false; }, ""), "");
}

TEST(UnitStandardTable, UnitsValue) {
  EXPECT_EQ(UnitsValue(true), "INCH");
  EXPECT_EQ(UnitsValue(false), "MM");
}

TEST(UnitStandardTable, PreselectionNeverMixesTwoSources) {
  struct Case {
    UnitChoice stored;
    bool readsDefaults;
  };
  const UnitChoice defaults{"mm", "ISO"};
  const Case cases[] = {
      {{"INCH", "JIS"}, false},
      {{"INCH", ""}, true},
      {{"", "JIS"}, true},
      {{"", ""}, true},
  };
  for (const Case& c : cases) {
    int reads = 0;
    const UnitChoice chosen = ChoosePreselection(c.stored, [&] {
      ++reads;
      return defaults;
    });
    const UnitChoice& expected = c.readsDefaults ? defaults : c.stored;
    EXPECT_EQ(chosen.units, expected.units) << c.stored.units << '/' << c.stored.standard;
    EXPECT_EQ(chosen.standard, expected.standard) << c.stored.units << '/' << c.stored.standard;
    EXPECT_EQ(reads, c.readsDefaults ? 1 : 0);
  }
}

}  // namespace
}  // namespace kelvra
