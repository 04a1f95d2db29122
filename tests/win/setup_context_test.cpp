// The setup-context readers against the real registry and INI files: where
// each one looks, what it makes of what it finds, and its fallbacks. The
// mapping tables themselves are tested natively.
#include <gtest/gtest.h>

#include "framework/setup_context.h"
#include "res/kelvra_ids.h"
#include "tests/win/support/setup_test.h"

namespace {

class SetupContextTest : public test::SetupTest {};

TEST_F(SetupContextTest, ActiveProductIsUpperCasedAndEmptyWithoutKeyOrValue) {
  EXPECT_EQ(GetActiveProduct(), "");
  test::RegSetString(test::kOptionsKey, "other", "FERRIX");
  EXPECT_EQ(GetActiveProduct(), "");
  test::RegSetString(test::kOptionsKey, "active", "ferrixPelmo");
  EXPECT_EQ(GetActiveProduct(), "FERRIXPELMO");
}

TEST_F(SetupContextTest, BannerFollowsTheProductAndFlavorOfTheSetupRoot) {
  test::RegSetString(test::kOptionsKey, "active", "FERRIX");
  EXPECT_EQ(GetBannerBitmapId(), IDB_BANNER_TREL)
      << "the active product does not choose this banner";

  test::RegSetString(test::kSetupRoot, "TRELProduct", "PELMO");
  test::RegSetString(test::kSetupRoot, "PelmoFlavor", "Route");
  EXPECT_EQ(GetBannerBitmapId(), IDB_BANNER_PELMO_ROUTE);
  test::RegSetString(test::kSetupRoot, "TRELProduct", "brava");
  EXPECT_EQ(GetBannerBitmapId(), IDB_BANNER_FERRIX) << "the flavour only matters for Pelmo";

  ClearSetupTree();
  EXPECT_EQ(GetBannerBitmapId(), IDB_BANNER_TREL);
}

TEST_F(SetupContextTest, PageIconFollowsTheDriverIniOnly) {
  test::RegSetString(test::kSetupRoot, "TRELProduct", "brava");
  WriteOptionsIni("[TREL_OPTIONS]\r\nSETUP_TRELPRODUCT=brava\r\n");
  EXPECT_EQ(GetPageIconId(), 0u) << "no driver INI: no icon";
  WriteDriverIni("[TREL_OPTIONS]\r\nSETUP_TRELPRODUCT=nerva\r\n");
  EXPECT_EQ(GetPageIconId(), IDI_NERVA);
}

TEST_F(SetupContextTest, ActiveChoosersFollowTheActiveProduct) {
  test::RegSetString(test::kSetupRoot, "TRELProduct", "cofra");
  EXPECT_EQ(GetActivePageIconId(), 0u);
  EXPECT_EQ(GetActiveBannerBitmapId(), IDB_BANNER_TREL);

  test::RegSetString(test::kOptionsKey, "active", "nervaserver");
  EXPECT_EQ(GetActivePageIconId(), IDI_NERVA);
  EXPECT_EQ(GetActiveBannerBitmapId(), IDB_BANNER_SERVER);
  test::RegSetString(test::kOptionsKey, "active", "lookglass");
  EXPECT_EQ(GetActivePageIconId(), IDI_LOOKGLASS);
  EXPECT_EQ(GetActiveBannerBitmapId(), IDB_BANNER_TREL);
}

TEST_F(SetupContextTest, ProductNameComesFromTheDriverIni) {
  WriteOptionsIni("[FERRIX]\r\nPRODUCT_NAME=From the options file\r\n");
  EXPECT_EQ(GetProductName("FERRIX"), "");
  WriteDriverIni("[FERRIX]\r\nPRODUCT_NAME=Ferrix 11\r\n[LUMO]\r\nPRODUCT_NAME=Lumo Viewer\r\n");
  EXPECT_EQ(GetProductName("FERRIX"), "Ferrix 11");
  EXPECT_EQ(GetProductName("LUMO"), "Lumo Viewer");
  EXPECT_EQ(GetProductName("KORVAL"), "");
}

TEST_F(SetupContextTest, CancelMarkerIsADwordAndMinusOneWhenNeverWritten) {
  const std::string optionKey = std::string(test::kOptionsKey) + "\\ContentServer";
  EXPECT_EQ(ReadCanceled(optionKey), -1);
  EXPECT_FALSE(test::RegKeyExists(optionKey)) << "reading must not create the key";
  test::RegSetString(optionKey, "ANSI", "1");
  EXPECT_EQ(ReadCanceled(optionKey), -1) << "key without the marker";
  test::RegSetString(optionKey, "_CANCELED", "1");
  EXPECT_EQ(ReadCanceled(optionKey), -1) << "a marker of another type counts as absent";

  ClearSetupTree();
  MarkCanceled(optionKey, 1);
  EXPECT_EQ(test::RegGetDword(optionKey, "_CANCELED"), 1u) << "key created, REG_DWORD written";
  EXPECT_EQ(ReadCanceled(optionKey), 1);
  MarkCanceled(optionKey, 0);
  EXPECT_EQ(test::RegGetDword(optionKey, "_CANCELED"), 0u);
  EXPECT_EQ(ReadCanceled(optionKey), 0);
}

}  // namespace
