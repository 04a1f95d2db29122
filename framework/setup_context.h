// Which product is being set up, and the layout of the shared registry tree.
// Every key path of the pages is built here; the names of the keys that
// follow the active product are in the product tables.
#pragma once

#include <string>

#include "framework/product_tables.h"

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

// While one lives, "active" is read from the registry once and every later
// read gets that reading: a page's handler asks for it for its icon,
// caption, banner, key and texts, all from one state of the setup. Handlers
// run one at a time on the driver's thread; one made while another lives
// takes the other's reading.
class CActiveProductReading {
 public:
  CActiveProductReading();
  ~CActiveProductReading();
  CActiveProductReading(const CActiveProductReading&) = delete;
  CActiveProductReading& operator=(const CActiveProductReading&) = delete;

  // The first one alive, or null.
  static CActiveProductReading* Current();
  const std::wstring& Value();

 private:
  bool read_ = false;
  std::wstring value_;
};
// The "active" product in capitals; empty when missing.
std::wstring GetActiveProduct();
// For a page that follows the active product, worked out afresh from
// "active": its row of the product tables, and its option key (a full path
// below HKEY_CURRENT_USER).
kelvra::ProductOption ActiveProductOption(kelvra::KeyedPage page);
std::wstring ActiveOptionKey(kelvra::KeyedPage page);
// PRODUCT_NAME of `section` in the driver INI file.
std::wstring GetProductName(const std::wstring& section);

unsigned GetPageIconId();
unsigned GetActivePageIconId();
unsigned GetBannerBitmapId();
unsigned GetActiveBannerBitmapId();

// The cancel marker of an option key (a full path below HKEY_CURRENT_USER):
// 1 after a confirmed Cancel, 0 after Next, -1 when never written.
int ReadCanceled(const std::wstring& optionKey);
void MarkCanceled(const std::wstring& optionKey, unsigned value);
