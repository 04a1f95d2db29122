#include "features/feature_record.h"

#include "framework/number_text.h"

namespace features {

FeatureRecord ParseFeatureLine(const std::wstring& value) {
  std::wstring fields[7];
  std::wstring rest = value;
  for (int i = 0; i < 6; ++i) {
    const std::wstring::size_type separator = rest.find(L';');
    // Once the separators run out the field stays empty and the rest whole.
    if (separator == std::wstring::npos) continue;
    fields[i] = rest.substr(0, separator);
    rest.erase(0, separator + 1);
  }
  fields[6] = rest;

  FeatureRecord record;
  record.name = fields[0];
  record.parent = fields[1];
  record.title = fields[2];
  record.description = fields[3];
  record.defaultState = kelvra::ParseLeadingInt(fields[4]) == 1 ? StateLocal : StateDisabled;
  record.state = record.defaultState;
  record.auxValue = kelvra::ParseLeadingInt(fields[5]);
  record.hasChildren = kelvra::ParseLeadingInt(fields[6]);
  return record;
}

std::vector<FeatureRecord> LoadFeatureRecords(const std::function<std::wstring(int)>& readLine) {
  std::vector<FeatureRecord> records;
  for (int number = 1;; ++number) {
    const std::wstring value = readLine(number);
    if (value.empty()) break;
    records.push_back(ParseFeatureLine(value));
  }
  return records;
}

}  // namespace features
