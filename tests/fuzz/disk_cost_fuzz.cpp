// DISKCOST_OS_PRODUCT values: atoi's rules on each side of the first ';',
// saturating instead of overflowing.
#include <climits>

#include "pages/server/disk_cost_math.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = fuzz::Text(data, size);
  // Reference: strtoll clamped to int, valid while the digits fit in long long.
  if (text.find('\0') == std::string::npos && text.size() <= 15) {
    long long reference = std::strtoll(text.c_str(), nullptr, 10);
    if (reference > INT_MAX) reference = INT_MAX;
    if (reference < INT_MIN) reference = INT_MIN;
    fuzz::Require(kelvra::ParseLeadingInt(text) == reference);
  }
  const size_t semicolon = text.find(';');
  const int os = kelvra::OsDiskCostMiB(text);
  const int product = kelvra::ProductDiskCostMiB(text);
  if (semicolon == std::string::npos) fuzz::Require(os == 0 && product == 0);
  fuzz::Require(kelvra::MiBToBytes(os) / 1048576 == os);
  return 0;
}
