// Size formatting for the disk cost list: a short number and one unit for
// any 64-bit value, negative ones included.
#include "pages/disk_cost/disk_cost_math.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < sizeof(int64_t)) return 0;
  uint64_t bits = 0;
  for (size_t i = 0; i < sizeof bits; ++i) bits = (bits << 8) | data[i];
  const auto value = static_cast<int64_t>(bits);
  const std::wstring formatted = kelvra::FormatSize(value, {L"B", L"K", L"M", L"G"});
  fuzz::Require(formatted.size() >= 2 && formatted.size() <= 12);
  fuzz::Require((formatted[0] == L'-') == (value < 0));
  return 0;
}
