// STANDARD rows of the content standard page: any text splits into a row
// whose leading fields hold no separator, and positions past the rows read
// as "no row".
#include "pages/options/content_rows.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const kelvra::ContentRowRecord row = kelvra::SplitContentRow(fuzz::Text(data, size));
  fuzz::Require(row.valueName.find(';') == std::string::npos);
  fuzz::Require(row.label.find(';') == std::string::npos);
  fuzz::Require(row.valueName.size() + row.label.size() + row.description.size() <= size);
  std::vector<int> states(size % 9);
  for (size_t i = 0; i < states.size(); ++i) states[i] = data[i] & 1;
  for (size_t position = 0; position < kelvra::kContentValueCount; ++position)
    fuzz::Require((kelvra::ContentValueAt(states, position) == 0xFFFFFFFFu) ==
                  (position >= states.size()));
  return 0;
}
