// Feeds arbitrary bytes to the text parsers and checks the properties that
// must hold for any input, not just the ones the unit tests think of.
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/folder_path.h"
#include "framework/product_tables.h"
#include "pages/server/disk_cost_math.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// Reference: strtoll clamped to int, valid while the digits fit in long long.
void CheckAgainstStrtol(const std::string& text) {
  if (text.find('\0') != std::string::npos || text.size() > 15) return;
  long long reference = std::strtoll(text.c_str(), nullptr, 10);
  if (reference > INT_MAX) reference = INT_MAX;
  if (reference < INT_MIN) reference = INT_MIN;
  Require(kelvra::ParseLeadingInt(text) == reference);
}

void CheckFolderRules(const std::string& text) {
  const std::string once = kelvra::WithOneTrailingBackslash(text);
  Require(!once.empty() && once.back() == '\\');
  Require(kelvra::RemoveTrailingBackslash(text).size() + 1 >= text.size());
  Require(kelvra::LastPathComponent(text).find_first_of("\\/") == std::string::npos);
}

void CheckFormatSize(const std::string& text) {
  if (text.size() < sizeof(int64_t)) return;
  uint64_t bits = 0;
  for (std::size_t i = 0; i < sizeof(bits); ++i) bits = (bits << 8) | static_cast<uint8_t>(text[i]);
  const std::string formatted =
      kelvra::FormatSize(static_cast<int64_t>(bits), {"B", "K", "M", "G"});
  Require(formatted.size() >= 2 && formatted.size() <= 12);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CheckAgainstStrtol(text);
  CheckFolderRules(text);
  CheckFormatSize(text);
  (void)kelvra::OsDiskCostMiB(text);
  (void)kelvra::ProductDiskCostMiB(text);
  (void)kelvra::BannerIdForProduct(text, text);
  return 0;
}
