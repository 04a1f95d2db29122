#include "features/feature_record.h"

#include <gtest/gtest.h>

namespace features {
namespace {

TEST(FeatureLine, SplitsSevenFieldsUntrimmed) {
  const FeatureRecord r = ParseFeatureLine("Docs; Main ;Help files;All the help;1;-4;2");
  EXPECT_EQ(r.name, "Docs");
  EXPECT_EQ(r.parent, " Main ");
  EXPECT_EQ(r.title, "Help files");
  EXPECT_EQ(r.description, "All the help");
  EXPECT_EQ(r.defaultState, StateLocal);
  EXPECT_EQ(r.state, StateLocal);
  EXPECT_EQ(r.auxValue, -4);
  EXPECT_EQ(r.hasChildren, 2);
}

TEST(FeatureLine, MissingSeparatorsLeaveFieldsEmptyAndTheRestLast) {
  struct Case {
    const char* value;
    const char* name;
    const char* title;
    const char* description;
    InstallState state;
    int aux, children;
  };
  const Case cases[] = {
      {"A;;T;D;1;5", "A", "T", "D", StateLocal, 0, 5},  // six fields: the sixth slides to seventh
      {"A;;T", "A", "", "", StateDisabled, 0, 0},       // "T" is the rest
      {"A;;T;D;1;5;7;8", "A", "T", "D", StateLocal, 5, 7},
      {"12", "", "", "", StateDisabled, 0, 12},  // no separator at all
      {" 3 apples", "", "", "", StateDisabled, 0, 3},
      {";;;;;;", "", "", "", StateDisabled, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const FeatureRecord r = ParseFeatureLine(c.value);
    EXPECT_EQ(r.name, c.name);
    EXPECT_EQ(r.parent, "");
    EXPECT_EQ(r.title, c.title);
    EXPECT_EQ(r.description, c.description);
    EXPECT_EQ(r.defaultState, c.state);
    EXPECT_EQ(r.auxValue, c.aux);
    EXPECT_EQ(r.hasChildren, c.children);
  }
}

TEST(FeatureLine, OnlyAnIntegerValueOfOneIsLocalByDefault) {
  struct Case {
    const char* field;
    InstallState state;
  };
  const Case cases[] = {{"1", StateLocal},     {"01", StateLocal},           {" +1x", StateLocal},
                        {"2", StateDisabled},  {"yes", StateDisabled},       {"", StateDisabled},
                        {"-1", StateDisabled}, {"4294967297", StateDisabled}};
  for (const Case& c : cases) {
    const FeatureRecord r = ParseFeatureLine(std::string("N;;T;D;") + c.field + ";0;0");
    EXPECT_EQ(r.defaultState, c.state) << '"' << c.field << '"';
    EXPECT_EQ(r.state, r.defaultState);
  }
}

TEST(FeatureLine, LoadingStopsAtTheFirstMissingNumber) {
  std::vector<int> asked;
  const auto lines = [&](int number) -> std::string {
    asked.push_back(number);
    return number == 3 ? "" : "F" + std::to_string(number) + ";;T;;0;0;0";
  };
  const std::vector<FeatureRecord> records = LoadFeatureRecords(lines);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].name, "F1");
  EXPECT_EQ(records[1].name, "F2");
  EXPECT_EQ(asked, (std::vector<int>{1, 2, 3}));

  EXPECT_TRUE(LoadFeatureRecords([&](int n) { return n == 1 ? "" : lines(n); }).empty())
      << "FEATURE1 absent: nothing, whatever follows";
}

}  // namespace
}  // namespace features
