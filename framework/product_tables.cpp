#include "framework/product_tables.h"

#include "framework/text_compare.h"
#include "res/kelvra_ids.h"
#include "resdll/kelvrares_ids.h"

namespace kelvra {
namespace {

struct NameToId {
  const char* name;
  unsigned id;
};

// A null flavor matches any flavor; rows are scanned top-down, so the
// Pelmo rows that name a flavor must stay above the catch-all Pelmo row.
struct ProductFlavorToId {
  const char* product;
  const char* flavor;
  unsigned id;
};

constexpr unsigned kNoIcon = 0;

constexpr NameToId kSetupProductIcons[] = {
    {"brava", IDI_FERRIX},
    {"pelmo", IDI_PELMO},
    {"cofra", IDI_COFRA},
    {"nerva", IDI_NERVA},
};

constexpr NameToId kActiveProductIcons[] = {
    {"FERRIX", IDI_FERRIX},       {"FERRIXPELMO", IDI_PELMO},     {"NERVACLIENT", IDI_NERVA},
    {"NERVASERVER", IDI_NERVA},   {"COFRACLIENT", IDI_COFRA},     {"COFRASERVER", IDI_COFRA},
    {"LOOKGLASS", IDI_LOOKGLASS}, {"QUILLMAKER", IDI_QUILLMAKER},
};

constexpr ProductFlavorToId kProductBanners[] = {
    {"brava", nullptr, IDB_BANNER_FERRIX},
    {"pelmo", "route", IDB_BANNER_PELMO_ROUTE},
    {"pelmo", "simulation", IDB_BANNER_PELMO_SIMULATION},
    {"pelmo", nullptr, IDB_BANNER_FERRIX_PELMO},
    {"kordex", nullptr, IDB_BANNER_KORDEX},
    {"korval", nullptr, IDB_BANNER_KORVAL},
    {"cofra", nullptr, IDB_BANNER_COFRA_CLIENT},
    {"nerva", nullptr, IDB_BANNER_NERVA_CLIENT},
};

constexpr NameToId kActiveProductBanners[] = {
    {"FERRIX", IDB_BANNER_FERRIX},
    {"FERRIXPELMO", IDB_BANNER_FERRIX_PELMO},
    {"KORDEX", IDB_BANNER_KORDEX},
    {"KORVAL", IDB_BANNER_KORVAL},
    {"NERVACLIENT", IDB_BANNER_NERVA_CLIENT},
    {"NERVASERVER", IDB_BANNER_SERVER},
    {"COFRASERVER", IDB_BANNER_SERVER},
    {"COFRACLIENT", IDB_BANNER_COFRA_CLIENT},
};

// A null product is the page's default and ends its rows.
struct PageProductToOption {
  KeyedPage page;
  const char* product;
  ProductOption option;
};

constexpr PageProductToOption kProductOptions[] = {
    {KeyedPage::kInstallDestination, "LOOKGLASS", {"Lookglass", IDS_LOOKGLASS_FOLDER}},
    {KeyedPage::kInstallDestination, "QUILLMAKER", {"Quillmaker", IDS_QUILLMAKER_FOLDER}},
    {KeyedPage::kInstallDestination, nullptr, {"Lumo", IDS_LUMO_FOLDER}},
    {KeyedPage::kSelectFeature, "LOOKGLASS", {"Lookglass", 0}},
    {KeyedPage::kSelectFeature, nullptr, {"Lumo", 0}},
    {KeyedPage::kClient, "NERVACLIENT", {"NervaClient", IDS_NERVA_CLIENT_FOLDER}},
    {KeyedPage::kClient, nullptr, {"CofraClient", IDS_COFRA_CLIENT_FOLDER}},
    {KeyedPage::kServer, "NERVASERVER", {"NervaServer", 0}},
    {KeyedPage::kServer, nullptr, {"CofraServer", 0}},
};

template <std::size_t N>
unsigned Lookup(const NameToId (&table)[N], const std::string& name, unsigned fallback) {
  for (const NameToId& row : table) {
    if (EqualsNoCase(name, row.name)) return row.id;
  }
  return fallback;
}

bool Matches(const ProductFlavorToId& row, const std::string& product, const std::string& flavor) {
  return EqualsNoCase(product, row.product) && (!row.flavor || EqualsNoCase(flavor, row.flavor));
}

}  // namespace

unsigned PageIconIdForSetupProduct(const std::string& setupTrelProduct) {
  return Lookup(kSetupProductIcons, setupTrelProduct, kNoIcon);
}

unsigned PageIconIdForActiveProduct(const std::string& active) {
  return Lookup(kActiveProductIcons, active, kNoIcon);
}

unsigned BannerIdForProduct(const std::string& trelProduct, const std::string& pelmoFlavor) {
  for (const ProductFlavorToId& row : kProductBanners) {
    if (Matches(row, trelProduct, pelmoFlavor)) return row.id;
  }
  return IDB_BANNER_TREL;
}

unsigned BannerIdForActiveProduct(const std::string& active) {
  return Lookup(kActiveProductBanners, active, IDB_BANNER_TREL);
}

ProductOption OptionForActiveProduct(KeyedPage page, const std::string& active) {
  for (const PageProductToOption& row : kProductOptions) {
    if (row.page == page && (!row.product || EqualsNoCase(active, row.product))) return row.option;
  }
  return {"", 0};  // not reached: every page has its default row
}

}  // namespace kelvra
