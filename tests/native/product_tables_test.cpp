#include "framework/product_tables.h"

#include <gtest/gtest.h>

#include "res/kelvra_ids.h"
#include "resdll/kelvrares_ids.h"

namespace kelvra {
namespace {

TEST(ProductTables, SetupProductIconsCaseBlind) {
  EXPECT_EQ(PageIconIdForSetupProduct("brava"), IDI_FERRIX);
  EXPECT_EQ(PageIconIdForSetupProduct("PELMO"), IDI_PELMO);
  EXPECT_EQ(PageIconIdForSetupProduct("Cofra"), IDI_COFRA);
  EXPECT_EQ(PageIconIdForSetupProduct("nerva"), IDI_NERVA);
  EXPECT_EQ(PageIconIdForSetupProduct(""), 0u);
  EXPECT_EQ(PageIconIdForSetupProduct("kordex"), 0u);
  EXPECT_EQ(PageIconIdForSetupProduct("nervaserver"), 0u);  // setup names carry no edition
}

TEST(ProductTables, ActiveProductIconAndBanner) {
  struct Case {
    const char* active;
    unsigned icon, banner;
  };
  // Mixed case on purpose; "NERVA" and "FERRIXPELM" are look-alikes of real rows.
  const Case cases[] = {
      {"FERRIX", IDI_FERRIX, IDB_BANNER_FERRIX},
      {"ferrixpelmo", IDI_PELMO, IDB_BANNER_FERRIX_PELMO},
      {"NervaClient", IDI_NERVA, IDB_BANNER_NERVA_CLIENT},
      {"nervaserver", IDI_NERVA, IDB_BANNER_SERVER},
      {"COFRASERVER", IDI_COFRA, IDB_BANNER_SERVER},
      {"cofraclient", IDI_COFRA, IDB_BANNER_COFRA_CLIENT},
      {"lookglass", IDI_LOOKGLASS, IDB_BANNER_TREL},
      {"QUILLMAKER", IDI_QUILLMAKER, IDB_BANNER_TREL},
      {"Kordex", 0, IDB_BANNER_KORDEX},
      {"KORVAL", 0, IDB_BANNER_KORVAL},
      {"NERVA", 0, IDB_BANNER_TREL},
      {"FERRIXPELM", 0, IDB_BANNER_TREL},
      {"", 0, IDB_BANNER_TREL},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PageIconIdForActiveProduct(c.active), c.icon) << c.active;
    EXPECT_EQ(BannerIdForActiveProduct(c.active), c.banner) << c.active;
  }
}

TEST(ProductTables, BannerForPelmoDependsOnFlavor) {
  EXPECT_EQ(BannerIdForProduct("PELMO", "Route"), IDB_BANNER_PELMO_ROUTE);
  EXPECT_EQ(BannerIdForProduct("pelmo", "SIMULATION"), IDB_BANNER_PELMO_SIMULATION);
  EXPECT_EQ(BannerIdForProduct("pelmo", ""), IDB_BANNER_FERRIX_PELMO);
  EXPECT_EQ(BannerIdForProduct("pelmo", "routes"), IDB_BANNER_FERRIX_PELMO);
}

TEST(ProductTables, BannerForOtherProductsIgnoresFlavor) {
  EXPECT_EQ(BannerIdForProduct("brava", "route"), IDB_BANNER_FERRIX);
  EXPECT_EQ(BannerIdForProduct("Kordex", ""), IDB_BANNER_KORDEX);
  EXPECT_EQ(BannerIdForProduct("korval", "simulation"), IDB_BANNER_KORVAL);
  EXPECT_EQ(BannerIdForProduct("cofra", ""), IDB_BANNER_COFRA_CLIENT);
  EXPECT_EQ(BannerIdForProduct("NERVA", ""), IDB_BANNER_NERVA_CLIENT);
  EXPECT_EQ(BannerIdForProduct("", "route"), IDB_BANNER_TREL);
  EXPECT_EQ(BannerIdForProduct("kor", ""), IDB_BANNER_TREL);
}

TEST(ProductTables, OptionKeyFollowsActiveProduct) {
  struct Case {
    KeyedPage page;
    const char* active;
    const char* key;
    unsigned folder;
  };
  // Each page's named products in mixed case, then look-alikes and products
  // of other pages, which all fall to the page's default.
  const Case cases[] = {
      {KeyedPage::kInstallDestination, "lookglass", "Lookglass", IDS_LOOKGLASS_FOLDER},
      {KeyedPage::kInstallDestination, "QuillMaker", "Quillmaker", IDS_QUILLMAKER_FOLDER},
      {KeyedPage::kInstallDestination, "LUMO", "Lumo", IDS_LUMO_FOLDER},
      {KeyedPage::kInstallDestination, "lookglas", "Lumo", IDS_LUMO_FOLDER},
      {KeyedPage::kInstallDestination, "", "Lumo", IDS_LUMO_FOLDER},
      {KeyedPage::kSelectFeature, "LookGlass", "Lookglass", 0},
      {KeyedPage::kSelectFeature, "quillmaker", "Lumo", 0},
      {KeyedPage::kClient, "nervaClient", "NervaClient", IDS_NERVA_CLIENT_FOLDER},
      {KeyedPage::kClient, "nervaserver", "CofraClient", IDS_COFRA_CLIENT_FOLDER},
      {KeyedPage::kClient, "", "CofraClient", IDS_COFRA_CLIENT_FOLDER},
      {KeyedPage::kServer, "NERVASERVER", "NervaServer", 0},
      {KeyedPage::kServer, "nervaclient", "CofraServer", 0},
      {KeyedPage::kServer, "lookglass", "CofraServer", 0},
  };
  for (const Case& c : cases) {
    const ProductOption option = OptionForActiveProduct(c.page, c.active);
    EXPECT_STREQ(option.keyName, c.key) << c.active;
    EXPECT_EQ(option.folderNameId, c.folder) << c.active;
  }
}

}  // namespace
}  // namespace kelvra
