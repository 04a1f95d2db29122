// STANDARD rows of the content standard page: any text splits into a row
// whose leading fields hold no separator, and positions past the rows read
// as "no row".
#include "pages/options/content_rows.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring text = fuzz::Text(data, size);
  const kelvra::ContentRowRecord row = kelvra::SplitContentRow(text);
  fuzz::Require(row.valueName.find(L';') == std::wstring::npos);
  fuzz::Require(row.label.find(L';') == std::wstring::npos);
  fuzz::Require(row.valueName.size() + row.label.size() + row.description.size() <= text.size());
  std::vector<int> states(size % 9);
  for (size_t i = 0; i < states.size(); ++i) states[i] = data[i] & 1;
  for (size_t position = 0; position < kelvra::kContentValueCount; ++position)
    fuzz::Require((kelvra::ContentValueAt(states, position) == 0xFFFFFFFFu) ==
                  (position >= states.size()));
  return 0;
}
