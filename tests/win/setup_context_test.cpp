// The setup-context readers against the real registry and INI files: where
// each one looks, what it makes of what it finds, and its fallbacks. The
// mapping tables themselves are tested natively.
#include <gtest/gtest.h>

#include "framework/product_tables.h"
#include "framework/setup_context.h"
#include "res/kelvra_ids.h"
#include "tests/win/support/setup_test.h"

namespace {

class SetupContextTest : public test::SetupTest {};

TEST_F(SetupContextTest, ActiveProductIsUpperCasedAndEmptyWithoutKeyOrValue) {
  EXPECT_EQ(GetActiveProduct(), L"");
  test::RegSetString(test::kOptionsKey, L"other", L"FERRIX");
  EXPECT_EQ(GetActiveProduct(), L"");
  test::RegSetString(test::kOptionsKey, L"active", L"ferrixPelmo");
  EXPECT_EQ(GetActiveProduct(), L"FERRIXPELMO");
}

TEST_F(SetupContextTest, BannerFollowsTheProductAndFlavorOfTheSetupRoot) {
  test::RegSetString(test::kOptionsKey, L"active", L"FERRIX");
  EXPECT_EQ(GetBannerBitmapId(), IDB_BANNER_TREL)
      << L"the active product does not choose this banner";

  test::RegSetString(test::kSetupRoot, L"TRELProduct", L"PELMO");
  test::RegSetString(test::kSetupRoot, L"PelmoFlavor", L"Route");
  EXPECT_EQ(GetBannerBitmapId(), IDB_BANNER_PELMO_ROUTE);
  test::RegSetString(test::kSetupRoot, L"TRELProduct", L"brava");
  EXPECT_EQ(GetBannerBitmapId(), IDB_BANNER_FERRIX) << L"the flavour only matters for Pelmo";

  ClearSetupTree();
  EXPECT_EQ(GetBannerBitmapId(), IDB_BANNER_TREL);
}

TEST_F(SetupContextTest, PageIconFollowsTheDriverIniOnly) {
  test::RegSetString(test::kSetupRoot, L"TRELProduct", L"brava");
  WriteOptionsIni(L"[TREL_OPTIONS]\r\nSETUP_TRELPRODUCT=brava\r\n");
  EXPECT_EQ(GetPageIconId(), 0u) << L"no driver INI: no icon";
  WriteDriverIni(L"[TREL_OPTIONS]\r\nSETUP_TRELPRODUCT=nerva\r\n");
  EXPECT_EQ(GetPageIconId(), IDI_NERVA);
}

// As a page chooses them, from its reading of "active".
TEST_F(SetupContextTest, ActiveChoosersFollowTheActiveProduct) {
  const auto GetActivePageIconId = [] {
    return kelvra::PageIconIdForActiveProduct(ReadActiveValue());
  };
  const auto GetActiveBannerBitmapId = [] {
    return kelvra::BannerIdForActiveProduct(ReadActiveValue());
  };
  test::RegSetString(test::kSetupRoot, L"TRELProduct", L"cofra");
  EXPECT_EQ(GetActivePageIconId(), 0u);
  EXPECT_EQ(GetActiveBannerBitmapId(), IDB_BANNER_TREL);

  test::RegSetString(test::kOptionsKey, L"active", L"nervaserver");
  EXPECT_EQ(GetActivePageIconId(), IDI_NERVA);
  EXPECT_EQ(GetActiveBannerBitmapId(), IDB_BANNER_SERVER);
  test::RegSetString(test::kOptionsKey, L"active", L"lookglass");
  EXPECT_EQ(GetActivePageIconId(), IDI_LOOKGLASS);
  EXPECT_EQ(GetActiveBannerBitmapId(), IDB_BANNER_TREL);
}

TEST_F(SetupContextTest, ProductNameComesFromTheDriverIni) {
  WriteOptionsIni(L"[FERRIX]\r\nPRODUCT_NAME=From the options file\r\n");
  EXPECT_EQ(GetProductName(L"FERRIX"), L"");
  WriteDriverIni(L"[FERRIX]\r\nPRODUCT_NAME=Ferrix 11\r\n[LUMO]\r\nPRODUCT_NAME=Lumo Viewer\r\n");
  EXPECT_EQ(GetProductName(L"FERRIX"), L"Ferrix 11");
  EXPECT_EQ(GetProductName(L"LUMO"), L"Lumo Viewer");
  EXPECT_EQ(GetProductName(L"KORVAL"), L"");
}

// The marker as a page reads it: through its option key opened for reading,
// which stays closed when the key is absent.
int ReadCanceledAt(const std::wstring& optionKey) {
  CRegistryKey key;
  static_cast<void>(key.Open(HKEY_CURRENT_USER, optionKey));
  return ReadCanceled(key);
}

TEST_F(SetupContextTest, CancelMarkerIsADwordAndMinusOneWhenNeverWritten) {
  const std::wstring optionKey = std::wstring(test::kOptionsKey) + L"\\ContentServer";
  EXPECT_EQ(ReadCanceledAt(optionKey), -1);
  EXPECT_FALSE(test::RegKeyExists(optionKey)) << L"reading must not create the key";
  test::RegSetString(optionKey, L"ANSI", L"1");
  EXPECT_EQ(ReadCanceledAt(optionKey), -1) << L"key without the marker";
  test::RegSetString(optionKey, L"_CANCELED", L"1");
  EXPECT_EQ(ReadCanceledAt(optionKey), -1) << L"a marker of another type counts as absent";

  ClearSetupTree();
  MarkCanceled(optionKey, 1);
  EXPECT_EQ(test::RegGetDword(optionKey, L"_CANCELED"), 1u) << L"key created, REG_DWORD written";
  EXPECT_EQ(ReadCanceledAt(optionKey), 1);
  MarkCanceled(optionKey, 0);
  EXPECT_EQ(test::RegGetDword(optionKey, L"_CANCELED"), 0u);
  EXPECT_EQ(ReadCanceledAt(optionKey), 0);
}

}  // namespace
