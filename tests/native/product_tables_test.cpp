#include "framework/product_tables.h"

#include <gtest/gtest.h>

#include "resdll/kelvrares_ids.h"

namespace kelvra {
namespace {

TEST(ProductTables, SetupProductIconsCaseBlind) {
  EXPECT_EQ(PageIconIdForSetupProduct("brava"), 158u);
  EXPECT_EQ(PageIconIdForSetupProduct("PELMO"), 166u);
  EXPECT_EQ(PageIconIdForSetupProduct("Cofra"), 160u);
  EXPECT_EQ(PageIconIdForSetupProduct("nerva"), 6072u);
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
      {"FERRIX", 158, 6028},
      {"ferrixpelmo", 166, 172},
      {"NervaClient", 6072, 6031},
      {"nervaserver", 6072, 9000},
      {"COFRASERVER", 160, 9000},
      {"cofraclient", 160, 178},
      {"lookglass", 13002, 205},
      {"QUILLMAKER", 162, 205},
      {"Kordex", 0, 6026},
      {"KORVAL", 0, 6027},
      {"NERVA", 0, 205},
      {"FERRIXPELM", 0, 205},
      {"", 0, 205},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PageIconIdForActiveProduct(c.active), c.icon) << c.active;
    EXPECT_EQ(BannerIdForActiveProduct(c.active), c.banner) << c.active;
  }
}

TEST(ProductTables, BannerForPelmoDependsOnFlavor) {
  EXPECT_EQ(BannerIdForProduct("PELMO", "Route"), 6141u);
  EXPECT_EQ(BannerIdForProduct("pelmo", "SIMULATION"), 6140u);
  EXPECT_EQ(BannerIdForProduct("pelmo", ""), 172u);
  EXPECT_EQ(BannerIdForProduct("pelmo", "routes"), 172u);
}

TEST(ProductTables, BannerForOtherProductsIgnoresFlavor) {
  EXPECT_EQ(BannerIdForProduct("brava", "route"), 6028u);
  EXPECT_EQ(BannerIdForProduct("Kordex", ""), 6026u);
  EXPECT_EQ(BannerIdForProduct("korval", "simulation"), 6027u);
  EXPECT_EQ(BannerIdForProduct("cofra", ""), 178u);
  EXPECT_EQ(BannerIdForProduct("NERVA", ""), 6031u);
  EXPECT_EQ(BannerIdForProduct("", "route"), 205u);
  EXPECT_EQ(BannerIdForProduct("kor", ""), 205u);
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
