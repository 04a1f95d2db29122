// FEATURE values and the tree built from them: any lines parse, and the tree
// plan ends, with every item placed below an item planned before it, sorted
// or not.
#include "features/feature_record.h"
#include "features/feature_tree_rules.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring text = fuzz::Text(data, size);
  std::vector<std::wstring> lines;
  for (size_t start = 0; start <= text.size() && lines.size() < 64;) {
    const size_t end = std::min(text.find(L'\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  const std::vector<FeatureRecord> records = features::LoadFeatureRecords([&](int number) {
    return number <= static_cast<int>(lines.size()) ? lines[number - 1] : L"";
  });
  fuzz::Require(records.size() <= lines.size());
  for (const FeatureRecord& record : records) {
    fuzz::Require(record.name.find(L';') == std::wstring::npos);
    fuzz::Require(record.defaultState == StateDisabled || record.defaultState == StateLocal);
  }
  const std::vector<features::PlannedItem> plan = features::PlanFeatureTree(records);
  const auto byUnits = [](const std::wstring& a, const std::wstring& b) { return a.compare(b); };
  const std::vector<features::PlannedItem> sorted = features::InSortedOrder(plan, records, byUnits);
  fuzz::Require(sorted.size() == plan.size());
  for (const std::vector<features::PlannedItem>* items : {&plan, &sorted}) {
    for (size_t i = 0; i < items->size(); ++i) {
      fuzz::Require((*items)[i].record < records.size());
      fuzz::Require((*items)[i].parent < static_cast<int>(i));
    }
  }
  return 0;
}
