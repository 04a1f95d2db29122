// The product tables take any registry or INI text: every answer is one of
// the table's own IDs, whatever the case of the name.
#include "framework/product_tables.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

// Only ASCII letters swap case: the tables' names are ASCII, and a unit such
// as U+0161, whose low byte is 'a', must not be taken for one.
std::wstring Flipped(std::wstring text) {
  for (wchar_t& c : text) {
    if (c >= L'a' && c <= L'z')
      c = static_cast<wchar_t>(c - L'a' + L'A');
    else if (c >= L'A' && c <= L'Z')
      c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring text = fuzz::Text(data, size);
  const size_t half = text.size() / 2;
  const std::wstring product = text.substr(0, half), flavor = text.substr(half);
  fuzz::Require(kelvra::PageIconIdForSetupProduct(text) ==
                kelvra::PageIconIdForSetupProduct(Flipped(text)));
  fuzz::Require(kelvra::PageIconIdForActiveProduct(text) ==
                kelvra::PageIconIdForActiveProduct(Flipped(text)));
  fuzz::Require(kelvra::BannerIdForProduct(product, flavor) ==
                kelvra::BannerIdForProduct(Flipped(product), Flipped(flavor)));
  fuzz::Require(kelvra::BannerIdForActiveProduct(text) != 0);
  return 0;
}
