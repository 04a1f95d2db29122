// The Ferrix destination page: its folder rules, its texts from the driver's
// own product, and Disk Cost from the Ferrix section.
#include <gtest/gtest.h>

#include <optional>

#include "framework/page_entry.h"
#include "kit/text_format.h"
#include "pages/destination/ferrix_destination.h"
#include "pages/server/disk_cost_data.h"
#include "resdll/kelvrares_ids.h"
#include "tests/win/support/folder_page.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/page_kit.h"

namespace {

using test::Ui;

const char kExport[] = "FerrixDestinationDlg";
const char kTarget[] = "TARGETDIR";

std::string Ferrix() {
  return test::ResourceLibraryString(IDS_FERRIX_FOLDER);
}

class FerrixDestinationTest : public test::SetupTest {
 protected:
  void SetUp() override {
    SetupTest::SetUp();
    WriteDriverIni("[TREL_OPTIONS]\r\nSETUP_TITLE=Ferrix 11 Setup\r\nSETUP_TRELPRODUCT=brava\r\n");
  }
};

TEST_F(FerrixDestinationTest, ShowsTheStoredParentJoinedWithTheFolderName) {
  struct Case {
    std::optional<std::string> stored;
    std::optional<DWORD> canceled;
    std::optional<std::string> installProduct;
    std::string shown;
  };
  const Case cases[] = {
      {"D:\\Design\\", std::nullopt, "E:\\Suite\\", "D:\\Design\\" + Ferrix()},
      {"D:\\Design", 0, std::nullopt, "D:\\Design\\" + Ferrix()},
      {"D:\\", std::nullopt, std::nullopt, "D:\\" + Ferrix()},
      {"D:\\Design\\", 1, "E:\\Suite\\", "E:\\Suite\\" + Ferrix()},
      {"", std::nullopt, "E:\\", "E:\\" + Ferrix()},
      {std::nullopt, std::nullopt, std::nullopt, Ferrix()},
      // Never a doubled separator.
      {"D:\\Design\\\\", std::nullopt, std::nullopt, "D:\\Design\\" + Ferrix()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored.value_or("(none)"));
    ClearSetupTree();
    if (c.stored) test::RegSetString(test::kFerrixKey, kTarget, *c.stored);
    if (c.canceled) test::RegSetDword(test::kFerrixKey, "_CANCELED", *c.canceled);
    if (c.installProduct) test::RegSetString(test::kInstallProductKey, kTarget, *c.installProduct);
    EXPECT_EQ(test::VisitFolderPage(kExport, IDC_BACK).folder, c.shown);
  }
}

TEST_F(FerrixDestinationTest, NextStoresTheTextUpToItsLastBackslash) {
  struct Case {
    std::optional<std::string> typed;
    std::string stored;
  };
  const Case cases[] = {
      {std::nullopt, "D:\\Design\\"},  // unchanged: what was read
      {"E:\\Apps\\Ferrix", "E:\\Apps\\"},
      {"E:\\Apps\\", "E:\\Apps\\"},
      {"E:\\", "E:\\"},
      {"Ferrix", ""},
      {"E:\\Apps\\\\Ferrix", "E:\\Apps\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed.value_or("(unchanged)"));
    ClearSetupTree();
    test::RegSetString(test::kFerrixKey, kTarget, "D:\\Design\\");
    test::RegSetString(test::kOptionsKey, "active", "cofraclient");
    EXPECT_EQ(test::VisitFolderPage(kExport, IDC_NEXT, c.typed).result, 1);
    EXPECT_EQ(test::RegGetString(test::kFerrixKey, kTarget), c.stored);
    EXPECT_FALSE(test::RegKeyExists(test::kOptionsKey + std::string("\\CofraClient")))
        << "the active product plays no part";
  }
}

TEST_F(FerrixDestinationTest, TextsComeFromTheDriversProduct) {
  const struct {
    const char* trelProduct;
    UINT edition;
  } cases[] = {{"brava", IDS_FERRIX_STANDARD_EDITION}, {"pelmo", IDS_FERRIX_OTHER_EDITION}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.trelProduct);
    WriteDriverIni(
        std::string("[TREL_OPTIONS]\r\nSETUP_TITLE=Ferrix 11 Setup\r\nSETUP_TRELPRODUCT=") +
        c.trelProduct + "\r\n");
    const test::FolderPageSeen seen = test::VisitFolderPage(kExport, IDC_BACK);
    EXPECT_EQ(seen.caption, "Ferrix 11 Setup");
    EXPECT_EQ(seen.description,
              kit::FormatStrings(test::ResourceLibraryString(IDS_FERRIX_DESCRIPTION),
                                 {test::ResourceLibraryString(c.edition)}));
  }
}

TEST_F(FerrixDestinationTest, BrowseShowsThePickedFolderWithTheFolderName) {
  const test::ScratchFolder work("ferrix_work");
  const struct {
    std::string picked;
    std::string parent;
  } cases[] = {{work.Path(), work.Path() + "\\"}, {"C:\\", "C:\\"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.picked);
    CFerrixDestination page;
    bool picked = false;
    std::string shown;
    test::Drive([&] { return RunPageModal(page); },
                [&](Ui& ui) {
                  HWND window = ui.WaitForDialog();
                  picked = test::BrowseTo(ui, window, c.picked);
                  shown = ui.Text(window, IDC_DESTINATION);
                  ui.Click(window, IDC_BACK);
                });
    ASSERT_TRUE(picked);
    EXPECT_EQ(shown, c.parent + Ferrix());
    EXPECT_EQ(page.InstallDir(), c.parent);
  }
}

TEST_F(FerrixDestinationTest, DiskCostReadsTheFerrixSectionWhateverIsActive) {
  WriteDriverIni(
      "[FERRIX]\r\nDISKCOST_OS_PRODUCT=10;20\r\n[NERVASERVER]\r\nDISKCOST_OS_PRODUCT=30;40\r\n");
  test::RegSetString(test::kOptionsKey, "active", "nervaserver");
  CFerrixDestination page;
  test::Drive([&] { return RunPageModal(page); },
              [&](Ui& ui) {
                HWND window = ui.WaitForDialog();
                ui.SetText(window, IDC_DESTINATION, "q:\\Apps");
                ui.Click(window, IDC_DISK_COST);
                HWND dialog = ui.WaitForDialog(window);
                ui.Click(dialog, IDOK);
                ui.WaitUntilClosed(dialog);
                ui.Click(window, IDC_BACK);
              });
  const auto& requirements = kelvra::GetDiskCostData().requirements;
  ASSERT_EQ(requirements.size(), 2u);
  EXPECT_EQ(requirements[0].required, 10 * 1048576LL);
  EXPECT_EQ(requirements[1].name, "q:");
  EXPECT_EQ(requirements[1].required, 20 * 1048576LL);
}

}  // namespace

KELVRA_SHARED_PAGE_RULES(FerrixDestination, {kExport, test::kFerrixKey, 1});
