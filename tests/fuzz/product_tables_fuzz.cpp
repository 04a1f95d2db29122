// The product tables take any registry or INI text: every answer is one of
// the table's own IDs, whatever the case of the name.
#include <cctype>

#include "framework/product_tables.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

std::string Flipped(std::string text) {
  for (char& c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalpha(byte))
      c = static_cast<char>(std::islower(byte) ? std::toupper(byte) : std::tolower(byte));
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = fuzz::Text(data, size);
  const size_t half = size / 2;
  const std::string product = text.substr(0, half), flavor = text.substr(half);
  fuzz::Require(kelvra::PageIconIdForSetupProduct(text) ==
                kelvra::PageIconIdForSetupProduct(Flipped(text)));
  fuzz::Require(kelvra::PageIconIdForActiveProduct(text) ==
                kelvra::PageIconIdForActiveProduct(Flipped(text)));
  fuzz::Require(kelvra::BannerIdForProduct(product, flavor) ==
                kelvra::BannerIdForProduct(Flipped(product), Flipped(flavor)));
  fuzz::Require(kelvra::BannerIdForActiveProduct(text) != 0);
  return 0;
}
