// Which icon and banner a page shows for a product. All names compare
// case-blind; an unknown product gets no icon (0) and the Trel banner.
#pragma once

#include <string>

namespace kelvra {

// Keyed by the lower-case product name the setup passes in TrelProduct.
unsigned PageIconIdForSetupProduct(const std::wstring& setupTrelProduct);
// Keyed by the upper-case edition name of the installed, active product.
unsigned PageIconIdForActiveProduct(const std::wstring& active);
// pelmoFlavor only matters for Pelmo ("route", "simulation").
unsigned BannerIdForProduct(const std::wstring& trelProduct, const std::wstring& pelmoFlavor);
unsigned BannerIdForActiveProduct(const std::wstring& active);

// The pages whose option key follows the active product.
enum class KeyedPage { kInstallDestination, kSelectFeature, kClient, kServer };

struct ProductOption {
  const wchar_t* keyName;  // the option key's name below the Options key
  unsigned folderNameId;   // string of the product's folder name; 0 where the page has its own
};

// The page's row for `active`; a product the page does not name gets its
// default row (Lumo, Cofra client or Cofra server).
ProductOption OptionForActiveProduct(KeyedPage page, const std::wstring& active);
// The page's default row.
ProductOption DefaultOption(KeyedPage page);

}  // namespace kelvra
