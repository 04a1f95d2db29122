// The Ferrix destination page: parent-folder rules on the Ferrix key, texts
// from the driver's own product.
#include <gtest/gtest.h>

#include <optional>

#include "framework/page_entry.h"
#include "kit/text_format.h"
#include "pages/destination/ferrix_destination.h"
#include "resdll/kelvrares_ids.h"
#include "tests/win/support/folder_page.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/page_kit.h"

namespace {

const char kExport[] = "FerrixDestinationDlg";
using Text = std::optional<std::string>;

class FerrixDestinationTest : public test::SetupTest {};

// Null: not there. A driver other than brava's gets the other edition's text.
TEST_F(FerrixDestinationTest, ShowsTheParentJoinedAndStoresTheTypedParent) {
  const std::string F = test::ResourceLibraryString(IDS_FERRIX_FOLDER);
  const struct {
    const char *stored, *installProduct, *typed;
    int canceled;  // -1: not there
    std::string shown;
    const char *storedAfter, *trelProduct;
  } cases[] = {
      {"D:\\Design\\", "E:\\Suite\\", nullptr, -1, "D:\\Design\\" + F, "D:\\Design\\", "brava"},
      {"D:\\", nullptr, "E:\\Apps\\Ferrix", 0, "D:\\" + F, "E:\\Apps\\", "pelmo"},
      {"D:\\Design\\", "E:\\Suite\\", "Ferrix", 1, "E:\\Suite\\" + F, "", ""},
      {nullptr, nullptr, "E:\\Apps\\\\Ferrix", -1, F, "E:\\Apps\\", "brava"},
      {"D:\\Design\\\\", nullptr, nullptr, -1, "D:\\Design\\" + F, "D:\\Design\\", "brava"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    ClearSetupTree();
    WriteDriverIni(std::string("[TREL_OPTIONS]\r\nSETUP_TITLE=Ferrix Setup\r\nSETUP_TRELPRODUCT=") +
                   c.trelProduct + "\r\n");
    test::RegSetString(test::kOptionsKey, "active", "cofraclient");  // plays no part
    if (c.stored) test::RegSetString(test::kFerrixKey, "TARGETDIR", c.stored);
    if (c.installProduct)
      test::RegSetString(test::kInstallProductKey, "TARGETDIR", c.installProduct);
    if (c.canceled >= 0) test::RegSetDword(test::kFerrixKey, "_CANCELED", c.canceled);
    const test::FolderPageSeen seen =
        test::VisitFolderPage(kExport, IDC_NEXT, c.typed ? Text(c.typed) : Text());
    const UINT edition = std::string(c.trelProduct) == "brava" ? IDS_FERRIX_STANDARD_EDITION
                                                               : IDS_FERRIX_OTHER_EDITION;
    EXPECT_EQ(seen.caption, "Ferrix Setup");
    EXPECT_EQ(seen.description,
              kit::FormatStrings(test::ResourceLibraryString(IDS_FERRIX_DESCRIPTION),
                                 {test::ResourceLibraryString(edition)}));
    EXPECT_EQ(seen.folder, c.shown);
    EXPECT_EQ(test::RegGetString(test::kFerrixKey, "TARGETDIR"), std::string(c.storedAfter));
    EXPECT_EQ(test::RegGetDword(test::kFerrixKey, "_CANCELED"),
              c.canceled < 0 ? std::nullopt : std::optional<DWORD>(c.canceled))
        << "Next keeps the marker";
  }
}

TEST_F(FerrixDestinationTest, BrowseGivesAFolderItsBackslashAndARootNone) {
  for (const std::string picked : {"C:\\windows", "C:\\"}) {
    CFerrixDestination page;
    std::string shown;
    test::Drive([&] { return RunPageModal(page); },
                [&](test::Ui& ui) {
                  HWND window = ui.WaitForDialog();
                  ASSERT_TRUE(test::BrowseTo(ui, window, picked)) << picked;
                  shown = ui.Text(window, IDC_DESTINATION);
                  ui.Click(window, IDC_BACK);
                });
    const std::string parent = picked == "C:\\" ? picked : picked + "\\";
    EXPECT_EQ(page.InstallDir(), parent);
    EXPECT_EQ(shown, parent + test::ResourceLibraryString(IDS_FERRIX_FOLDER));
  }
}

}  // namespace

KELVRA_SHARED_PAGE_RULES(FerrixDestination, {kExport, test::kFerrixKey, 1});
