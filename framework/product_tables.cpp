#include "framework/product_tables.h"

#include "framework/text_compare.h"
#include "res/kelvra_ids.h"
#include "resdll/kelvrares_ids.h"

namespace kelvra {
namespace {

struct NameToId {
  const wchar_t* name;
  unsigned id;
};

// A null flavor matches any flavor; rows are scanned top-down, so the
// Pelmo rows that name a flavor must stay above the catch-all Pelmo row.
struct ProductFlavorToId {
  const wchar_t* product;
  const wchar_t* flavor;
  unsigned id;
};

constexpr unsigned kNoIcon = 0;

constexpr NameToId kSetupProductIcons[] = {
    {L"brava", IDI_FERRIX},
    {L"pelmo", IDI_PELMO},
    {L"cofra", IDI_COFRA},
    {L"nerva", IDI_NERVA},
};

constexpr NameToId kActiveProductIcons[] = {
    {L"FERRIX", IDI_FERRIX},       {L"FERRIXPELMO", IDI_PELMO},     {L"NERVACLIENT", IDI_NERVA},
    {L"NERVASERVER", IDI_NERVA},   {L"COFRACLIENT", IDI_COFRA},     {L"COFRASERVER", IDI_COFRA},
    {L"LOOKGLASS", IDI_LOOKGLASS}, {L"QUILLMAKER", IDI_QUILLMAKER},
};

constexpr ProductFlavorToId kProductBanners[] = {
    {L"brava", nullptr, IDB_BANNER_FERRIX},
    {L"pelmo", L"route", IDB_BANNER_PELMO_ROUTE},
    {L"pelmo", L"simulation", IDB_BANNER_PELMO_SIMULATION},
    {L"pelmo", nullptr, IDB_BANNER_FERRIX_PELMO},
    {L"kordex", nullptr, IDB_BANNER_KORDEX},
    {L"korval", nullptr, IDB_BANNER_KORVAL},
    {L"cofra", nullptr, IDB_BANNER_COFRA_CLIENT},
    {L"nerva", nullptr, IDB_BANNER_NERVA_CLIENT},
};

constexpr NameToId kActiveProductBanners[] = {
    {L"FERRIX", IDB_BANNER_FERRIX},
    {L"FERRIXPELMO", IDB_BANNER_FERRIX_PELMO},
    {L"KORDEX", IDB_BANNER_KORDEX},
    {L"KORVAL", IDB_BANNER_KORVAL},
    {L"NERVACLIENT", IDB_BANNER_NERVA_CLIENT},
    {L"NERVASERVER", IDB_BANNER_SERVER},
    {L"COFRASERVER", IDB_BANNER_SERVER},
    {L"COFRACLIENT", IDB_BANNER_COFRA_CLIENT},
};

// Option keys that two pages keep their values under.
const wchar_t kLumoKey[] = L"Lumo";
const wchar_t kLookglassKey[] = L"Lookglass";

// A null product is the page's default and ends its rows.
struct PageProductToOption {
  KeyedPage page;
  const wchar_t* product;
  ProductOption option;
};

constexpr PageProductToOption kProductOptions[] = {
    {KeyedPage::kInstallDestination, L"LOOKGLASS", {kLookglassKey, IDS_LOOKGLASS_FOLDER}},
    {KeyedPage::kInstallDestination, L"QUILLMAKER", {L"Quillmaker", IDS_QUILLMAKER_FOLDER}},
    {KeyedPage::kInstallDestination, nullptr, {kLumoKey, IDS_LUMO_FOLDER}},
    {KeyedPage::kSelectFeature, L"LOOKGLASS", {kLookglassKey, 0}},
    {KeyedPage::kSelectFeature, nullptr, {kLumoKey, 0}},
    {KeyedPage::kClient, L"NERVACLIENT", {L"NervaClient", IDS_NERVA_CLIENT_FOLDER}},
    {KeyedPage::kClient, nullptr, {L"CofraClient", IDS_COFRA_CLIENT_FOLDER}},
    {KeyedPage::kServer, L"NERVASERVER", {L"NervaServer", 0}},
    {KeyedPage::kServer, nullptr, {L"CofraServer", 0}},
};

template <std::size_t N>
unsigned Lookup(const NameToId (&table)[N], const std::wstring& name, unsigned fallback) {
  for (const NameToId& row : table) {
    if (EqualsNoCase(name, row.name)) return row.id;
  }
  return fallback;
}

bool Matches(const ProductFlavorToId& row, const std::wstring& product,
             const std::wstring& flavor) {
  return EqualsNoCase(product, row.product) && (!row.flavor || EqualsNoCase(flavor, row.flavor));
}

}  // namespace

unsigned PageIconIdForSetupProduct(const std::wstring& setupTrelProduct) {
  return Lookup(kSetupProductIcons, setupTrelProduct, kNoIcon);
}

unsigned PageIconIdForActiveProduct(const std::wstring& active) {
  return Lookup(kActiveProductIcons, active, kNoIcon);
}

unsigned BannerIdForProduct(const std::wstring& trelProduct, const std::wstring& pelmoFlavor) {
  for (const ProductFlavorToId& row : kProductBanners) {
    if (Matches(row, trelProduct, pelmoFlavor)) return row.id;
  }
  return IDB_BANNER_TREL;
}

unsigned BannerIdForActiveProduct(const std::wstring& active) {
  return Lookup(kActiveProductBanners, active, IDB_BANNER_TREL);
}

ProductOption OptionForActiveProduct(KeyedPage page, const std::wstring& active) {
  for (const PageProductToOption& row : kProductOptions) {
    if (row.page == page && (!row.product || EqualsNoCase(active, row.product))) return row.option;
  }
  return {L"", 0};  // not reached: every page has its default row
}

ProductOption DefaultOption(KeyedPage page) {
  for (const PageProductToOption& row : kProductOptions) {
    if (row.page == page && !row.product) return row.option;
  }
  return {L"", 0};  // not reached
}

}  // namespace kelvra
