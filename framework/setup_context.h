// Which product is being set up, and the layout of the shared registry tree.
// Every key path of the pages is built here; the names of the keys that
// follow the active product are in the product tables.
#pragma once

#include <string>

#include "framework/product_tables.h"
#include "framework/registry.h"

namespace setup_keys {

extern const wchar_t kRoot[];            // the setup root below HKEY_CURRENT_USER
extern const wchar_t kOptions[];         // "active" lives here
extern const wchar_t kInstallProduct[];  // the family install folder
extern const wchar_t kFerrix[];          // shared by the Ferrix, unit and part-modification pages
extern const wchar_t kContentServer[];

}  // namespace setup_keys

// Value names shared by several pages.
extern const wchar_t kCanceledValue[];   // "_CANCELED"
extern const wchar_t kTargetDirValue[];  // "TARGETDIR"

// The "active" product as stored, unchanged; empty when missing.
std::wstring ReadActiveValue();
// The "active" product in capitals; empty when missing.
std::wstring GetActiveProduct();

// Where a page keeps its values: under a fixed option key, or under the key
// its row of the product tables names for the active product.
struct PageOptions {
  const wchar_t* fixedKey;  // null when the row names the key
  kelvra::KeyedPage row;
};
constexpr PageOptions FixedKey(const wchar_t* optionKey) {
  return {optionKey, kelvra::KeyedPage::kInstallDestination};
}
constexpr PageOptions ActiveRow(kelvra::KeyedPage row) {
  return {nullptr, row};
}

// One handler's reading of the setup, worked out once and passed down.
struct PageVisit {
  std::wstring active;           // "active" as stored
  kelvra::ProductOption option;  // the page's row for it; {L"", 0} for a fixed key
  std::wstring optionKey;        // a full path below HKEY_CURRENT_USER
};
PageVisit VisitOf(const PageOptions& options, std::wstring active);

// PRODUCT_NAME of `section` in the driver INI file.
std::wstring GetProductName(const std::wstring& section);

unsigned GetPageIconId();
unsigned GetBannerBitmapId();

// The cancel marker of an option key: 1 after a confirmed Cancel, 0 after
// Next, -1 when never written or when the key is not open.
int ReadCanceled(const CRegistryKey& optionKey);
// Creates the option key (a full path below HKEY_CURRENT_USER) when absent;
// the result of the write.
LONG MarkCanceled(const std::wstring& optionKey, unsigned value);
