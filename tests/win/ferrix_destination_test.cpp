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

TEST_F(FerrixDestinationTest, ShowsTheParentJoinedAndStoresTheTypedParent) {
  const std::string F = test::ResourceLibraryString(IDS_FERRIX_FOLDER);
  const struct {
    Text stored;
    std::optional<DWORD> canceled;
    Text installProduct, typed;
    std::string shown, storedAfter;
    const char* trelProduct;
    UINT edition;
  } cases[] = {
      {"D:\\Design\\",
       {},
       "E:\\Suite\\",
       {},
       "D:\\Design\\" + F,
       "D:\\Design\\",
       "brava",
       IDS_FERRIX_STANDARD_EDITION},
      {"D:\\",
       0,
       {},
       "E:\\Apps\\Ferrix",
       "D:\\" + F,
       "E:\\Apps\\",
       "pelmo",
       IDS_FERRIX_OTHER_EDITION},
      {"D:\\Design\\", 1, "E:\\Suite\\", "Ferrix", "E:\\Suite\\" + F, "", "",
       IDS_FERRIX_OTHER_EDITION},
      {{}, {}, {}, "E:\\Apps\\\\Ferrix", F, "E:\\Apps\\", "brava", IDS_FERRIX_STANDARD_EDITION},
      {"D:\\Design\\\\",
       {},
       {},
       {},
       "D:\\Design\\" + F,
       "D:\\Design\\",
       "brava",
       IDS_FERRIX_STANDARD_EDITION},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    ClearSetupTree();
    WriteDriverIni(std::string("[TREL_OPTIONS]\r\nSETUP_TITLE=Ferrix Setup\r\nSETUP_TRELPRODUCT=") +
                   c.trelProduct + "\r\n");
    test::RegSetString(test::kOptionsKey, "active", "cofraclient");  // plays no part
    if (c.stored) test::RegSetString(test::kFerrixKey, "TARGETDIR", *c.stored);
    if (c.canceled) test::RegSetDword(test::kFerrixKey, "_CANCELED", *c.canceled);
    if (c.installProduct)
      test::RegSetString(test::kInstallProductKey, "TARGETDIR", *c.installProduct);
    const test::FolderPageSeen seen = test::VisitFolderPage(kExport, IDC_NEXT, c.typed);
    EXPECT_EQ(seen.caption, "Ferrix Setup");
    EXPECT_EQ(seen.description,
              kit::FormatStrings(test::ResourceLibraryString(IDS_FERRIX_DESCRIPTION),
                                 {test::ResourceLibraryString(c.edition)}));
    EXPECT_EQ(seen.folder, c.shown);
    EXPECT_EQ(test::RegGetString(test::kFerrixKey, "TARGETDIR"), c.storedAfter);
    EXPECT_EQ(test::RegGetDword(test::kFerrixKey, "_CANCELED"), c.canceled) << "Next keeps it";
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
