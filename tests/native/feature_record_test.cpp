#include "features/feature_record.h"

#include <gtest/gtest.h>

namespace features {
namespace {

TEST(FeatureLine, SplitsFieldsAndKeepsTheRestInTheLast) {
  struct Case {
    const wchar_t* value;
    const wchar_t *name, *parent, *title, *description;
    int aux, children;
  };
  const Case cases[] = {
      {L"Docs; Main ;Help;All of it;1;-4;2", L"Docs", L" Main ", L"Help", L"All of it", -4, 2},
      {L"A;;T;D;1;5", L"A", L"", L"T", L"D", 0, 5},  // six fields: the sixth is the rest
      {L"A;;T", L"A", L"", L"", L"", 0, 0},          // "T" is the rest
      {L"A;P;T;D;1;5;7;8", L"A", L"P", L"T", L"D", 5, 7},
      {L" 3 apples", L"", L"", L"", L"", 0, 3},  // no separator at all
  };
  for (const Case& c : cases) {
    const FeatureRecord r = ParseFeatureLine(c.value);
    EXPECT_EQ(r.name + L"|" + r.parent + L"|" + r.title + L"|" + r.description,
              std::wstring(c.name) + L"|" + c.parent + L"|" + c.title + L"|" + c.description)
        << c.value;
    EXPECT_EQ(r.auxValue, c.aux) << c.value;
    EXPECT_EQ(r.hasChildren, c.children) << c.value;
  }
}

TEST(FeatureLine, OnlyAnIntegerValueOfOneIsLocalByDefault) {
  const std::pair<const wchar_t*, InstallState> cases[] = {{L"1", StateLocal},
                                                           {L"01", StateLocal},
                                                           {L" +1x", StateLocal},
                                                           {L"2", StateDisabled},
                                                           {L"yes", StateDisabled},
                                                           {L"", StateDisabled},
                                                           {L"4294967297", StateDisabled}};
  for (const auto& c : cases) {
    const FeatureRecord r = ParseFeatureLine(std::wstring(L"N;;T;D;") + c.first + L";0;0");
    EXPECT_EQ(r.defaultState, c.second) << '"' << c.first << '"';
    EXPECT_EQ(r.state, r.defaultState);
  }
}

TEST(FeatureLine, LoadingStopsAtTheFirstMissingNumber) {
  std::vector<int> asked;
  const auto lines = [&](int number) -> std::wstring {
    asked.push_back(number);
    return number == 3 ? L"" : L"F" + std::to_wstring(number) + L";;T;;0;0;0";
  };
  const std::vector<FeatureRecord> records = LoadFeatureRecords(lines);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1].name, L"F2");
  EXPECT_EQ(asked, (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(LoadFeatureRecords([&](int n) { return n == 1 ? L"" : lines(n); }).empty());
}

}  // namespace
}  // namespace features
