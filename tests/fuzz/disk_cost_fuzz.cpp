// DISKCOST_OS_PRODUCT values: atoi's rules on each side of the first ';',
// saturating instead of overflowing.
#include <climits>
#include <cstdint>

#include "framework/number_text.h"
#include "pages/disk_cost/disk_cost_math.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring text = fuzz::Text(data, size);
  // Reference: strtoll clamped to int, valid while the digits fit in long
  // long, on the text with each unit beyond ASCII made an 'x': none is a
  // blank, sign or digit, whatever its low byte.
  if (text.find(L'\0') == std::wstring::npos && text.size() <= 15) {
    std::string ascii;
    for (const wchar_t c : text)
      ascii += static_cast<std::uint32_t>(c) < 0x80 ? static_cast<char>(c) : 'x';
    long long reference = std::strtoll(ascii.c_str(), nullptr, 10);
    if (reference > INT_MAX) reference = INT_MAX;
    if (reference < INT_MIN) reference = INT_MIN;
    fuzz::Require(kelvra::ParseLeadingInt(text) == reference);
  }
  const size_t semicolon = text.find(L';');
  const int os = kelvra::OsDiskCostMiB(text);
  const int product = kelvra::ProductDiskCostMiB(text);
  if (semicolon == std::wstring::npos) fuzz::Require(os == 0 && product == 0);
  fuzz::Require(kelvra::MiBToBytes(os) / 1048576 == os);
  return 0;
}
