#include "framework/product_tables.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kelvra
