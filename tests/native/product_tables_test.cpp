#include "framework/product_tables.h"

#include <gtest/gtest.h>

#include "res/kelvra_ids.h"
#include "resdll/kelvrares_ids.h"

namespace kelvra {
namespace {

TEST(ProductTables, SetupProductIconsCaseBlind) {
  EXPECT_EQ(PageIconIdForSetupProduct(L"brava"), IDI_FERRIX);
  EXPECT_EQ(PageIconIdForSetupProduct(L"PELMO"), IDI_PELMO);
  EXPECT_EQ(PageIconIdForSetupProduct(L"Cofra"), IDI_COFRA);
  EXPECT_EQ(PageIconIdForSetupProduct(L"nerva"), IDI_NERVA);
  EXPECT_EQ(PageIconIdForSetupProduct(L""), 0u);
  EXPECT_EQ(PageIconIdForSetupProduct(L"kordex"), 0u);
  EXPECT_EQ(PageIconIdForSetupProduct(L"nervaserver"), 0u);  // setup names carry no edition
}

TEST(ProductTables, ActiveProductIconAndBanner) {
  struct Case {
    const wchar_t* active;
    unsigned icon, banner;
  };
  // Mixed case on purpose; "NERVA" and "FERRIXPELM" are look-alikes of real rows.
  const Case cases[] = {
      {L"FERRIX", IDI_FERRIX, IDB_BANNER_FERRIX},
      {L"ferrixpelmo", IDI_PELMO, IDB_BANNER_FERRIX_PELMO},
      {L"NervaClient", IDI_NERVA, IDB_BANNER_NERVA_CLIENT},
      {L"nervaserver", IDI_NERVA, IDB_BANNER_SERVER},
      {L"COFRASERVER", IDI_COFRA, IDB_BANNER_SERVER},
      {L"cofraclient", IDI_COFRA, IDB_BANNER_COFRA_CLIENT},
      {L"lookglass", IDI_LOOKGLASS, IDB_BANNER_TREL},
      {L"QUILLMAKER", IDI_QUILLMAKER, IDB_BANNER_TREL},
      {L"Kordex", 0, IDB_BANNER_KORDEX},
      {L"KORVAL", 0, IDB_BANNER_KORVAL},
      {L"NERVA", 0, IDB_BANNER_TREL},
      {L"FERRIXPELM", 0, IDB_BANNER_TREL},
      {L"", 0, IDB_BANNER_TREL},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PageIconIdForActiveProduct(c.active), c.icon) << c.active;
    EXPECT_EQ(BannerIdForActiveProduct(c.active), c.banner) << c.active;
  }
}

TEST(ProductTables, BannerForPelmoDependsOnFlavor) {
  EXPECT_EQ(BannerIdForProduct(L"PELMO", L"Route"), IDB_BANNER_PELMO_ROUTE);
  EXPECT_EQ(BannerIdForProduct(L"pelmo", L"SIMULATION"), IDB_BANNER_PELMO_SIMULATION);
  EXPECT_EQ(BannerIdForProduct(L"pelmo", L""), IDB_BANNER_FERRIX_PELMO);
  EXPECT_EQ(BannerIdForProduct(L"pelmo", L"routes"), IDB_BANNER_FERRIX_PELMO);
}

TEST(ProductTables, BannerForOtherProductsIgnoresFlavor) {
  EXPECT_EQ(BannerIdForProduct(L"brava", L"route"), IDB_BANNER_FERRIX);
  EXPECT_EQ(BannerIdForProduct(L"Kordex", L""), IDB_BANNER_KORDEX);
  EXPECT_EQ(BannerIdForProduct(L"korval", L"simulation"), IDB_BANNER_KORVAL);
  EXPECT_EQ(BannerIdForProduct(L"cofra", L""), IDB_BANNER_COFRA_CLIENT);
  EXPECT_EQ(BannerIdForProduct(L"NERVA", L""), IDB_BANNER_NERVA_CLIENT);
  EXPECT_EQ(BannerIdForProduct(L"", L"route"), IDB_BANNER_TREL);
  EXPECT_EQ(BannerIdForProduct(L"kor", L""), IDB_BANNER_TREL);
}

TEST(ProductTables, OptionKeyFollowsActiveProduct) {
  struct Case {
    KeyedPage page;
    const wchar_t* active;
    const wchar_t* key;
    unsigned folder;
  };
  // Each page's named products in mixed case, then look-alikes and products
  // of other pages, which all fall to the page's default.
  const Case cases[] = {
      {KeyedPage::kInstallDestination, L"lookglass", L"Lookglass", IDS_LOOKGLASS_FOLDER},
      {KeyedPage::kInstallDestination, L"QuillMaker", L"Quillmaker", IDS_QUILLMAKER_FOLDER},
      {KeyedPage::kInstallDestination, L"LUMO", L"Lumo", IDS_LUMO_FOLDER},
      {KeyedPage::kInstallDestination, L"lookglas", L"Lumo", IDS_LUMO_FOLDER},
      {KeyedPage::kInstallDestination, L"", L"Lumo", IDS_LUMO_FOLDER},
      {KeyedPage::kSelectFeature, L"LookGlass", L"Lookglass", 0},
      {KeyedPage::kSelectFeature, L"quillmaker", L"Lumo", 0},
      {KeyedPage::kClient, L"nervaClient", L"NervaClient", IDS_NERVA_CLIENT_FOLDER},
      {KeyedPage::kClient, L"nervaserver", L"CofraClient", IDS_COFRA_CLIENT_FOLDER},
      {KeyedPage::kClient, L"", L"CofraClient", IDS_COFRA_CLIENT_FOLDER},
      {KeyedPage::kServer, L"NERVASERVER", L"NervaServer", 0},
      {KeyedPage::kServer, L"nervaclient", L"CofraServer", 0},
      {KeyedPage::kServer, L"lookglass", L"CofraServer", 0},
  };
  for (const Case& c : cases) {
    const ProductOption option = OptionForActiveProduct(c.page, c.active);
    EXPECT_STREQ(option.keyName, c.key) << c.active;
    EXPECT_EQ(option.folderNameId, c.folder) << c.active;
  }
}

}  // namespace
}  // namespace kelvra
