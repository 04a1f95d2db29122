// One optional feature of a product, as a FEATURE line of Options.ini
// describes it, and the install states a feature can be in.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Each state is also the index of its image in the page's image list.
enum InstallState : int {
  StateDisabled = 0,
  StateAdvertised = 1,
  StateRunFromSource = 2,
  StateLocal = 3,
};

struct FeatureRecord {
  std::wstring name;         // used in the stored lists and as parent name
  std::wstring parent;       // empty for a top-level feature
  std::wstring title;        // text of the tree item
  std::wstring description;  // shown while the item is selected
  InstallState defaultState = StateDisabled;
  InstallState state = StateDisabled;
  int32_t auxValue = 0;     // kept for the driver; nothing here depends on it
  int32_t hasChildren = 0;  // non-zero: records naming this one as parent are shown below it
};

namespace features {

// Splits "name;parent;title;description;default;aux;hasChildren". Missing
// separators leave the remaining leading fields empty and the whole rest in
// the seventh field. A default of exactly 1 means installed locally.
FeatureRecord ParseFeatureLine(const std::wstring& value);

// Reads FEATURE1, FEATURE2, ... through `readLine` (given the number) until
// the first empty value; numbers after a gap are never asked for.
std::vector<FeatureRecord> LoadFeatureRecords(const std::function<std::wstring(int)>& readLine);

}  // namespace features
