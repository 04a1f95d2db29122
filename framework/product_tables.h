// Which icon and banner a page shows for a product. All names compare
// case-blind; an unknown product gets no icon (0) and the Trel banner.
#pragma once

#include <string>

namespace kelvra {

// Keyed by the lower-case product name the setup passes in TrelProduct.
unsigned PageIconIdForSetupProduct(const std::string& setupTrelProduct);
// Keyed by the upper-case edition name of the installed, active product.
unsigned PageIconIdForActiveProduct(const std::string& active);
// pelmoFlavor only matters for Pelmo ("route", "simulation").
unsigned BannerIdForProduct(const std::string& trelProduct, const std::string& pelmoFlavor);
unsigned BannerIdForActiveProduct(const std::string& active);

}  // namespace kelvra
