#include "features/feature_record.h"

#include <gtest/gtest.h>

namespace features {
namespace {

TEST(FeatureLine, SplitsFieldsAndKeepsTheRestInTheLast) {
  struct Case {
    const char* value;
    const char *name, *parent, *title, *description;
    int aux, children;
  };
  const Case cases[] = {
      {"Docs; Main ;Help;All of it;1;-4;2", "Docs", " Main ", "Help", "All of it", -4, 2},
      {"A;;T;D;1;5", "A", "", "T", "D", 0, 5},  // six fields: the sixth is the rest
      {"A;;T", "A", "", "", "", 0, 0},          // "T" is the rest
      {"A;P;T;D;1;5;7;8", "A", "P", "T", "D", 5, 7},
      {" 3 apples", "", "", "", "", 0, 3},  // no separator at all
  };
  for (const Case& c : cases) {
    const FeatureRecord r = ParseFeatureLine(c.value);
    EXPECT_EQ(r.name + "|" + r.parent + "|" + r.title + "|" + r.description,
              std::string(c.name) + "|" + c.parent + "|" + c.title + "|" + c.description)
        << c.value;
    EXPECT_EQ(r.auxValue, c.aux) << c.value;
    EXPECT_EQ(r.hasChildren, c.children) << c.value;
  }
}

TEST(FeatureLine, OnlyAnIntegerValueOfOneIsLocalByDefault) {
  const std::pair<const char*, InstallState> cases[] = {{"1", StateLocal},
                                                        {"01", StateLocal},
                                                        {" +1x", StateLocal},
                                                        {"2", StateDisabled},
                                                        {"yes", StateDisabled},
                                                        {"", StateDisabled},
                                                        {"4294967297", StateDisabled}};
  for (const auto& c : cases) {
    const FeatureRecord r = ParseFeatureLine(std::string("N;;T;D;") + c.first + ";0;0");
    EXPECT_EQ(r.defaultState, c.second) << '"' << c.first << '"';
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
  EXPECT_EQ(records[1].name, "F2");
  EXPECT_EQ(asked, (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(LoadFeatureRecords([&](int n) { return n == 1 ? "" : lines(n); }).empty());
}

}  // namespace
}  // namespace features
