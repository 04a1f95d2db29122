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
#include "tests/win/support/robot.h"
#include "tests/win/support/setup_test.h"

namespace {

const wchar_t kFerrixDestination[] = L"FerrixDestinationDlg";
using Text = std::optional<std::wstring>;

class FerrixDestinationTest : public test::SetupTest {};

// Null: not there. A driver other than brava's gets the other edition's text.
TEST_F(FerrixDestinationTest, ShowsTheParentJoinedAndStoresTheTypedParent) {
  const std::wstring F = test::ResourceLibraryString(IDS_FERRIX_FOLDER);
  const struct {
    const wchar_t *stored, *installProduct, *typed;
    int canceled;  // -1: not there
    std::wstring shown;
    const wchar_t *storedAfter, *trelProduct;
  } cases[] = {
      {L"D:\\Design\\", L"E:\\Suite\\", nullptr, -1, L"D:\\Design\\" + F, L"D:\\Design\\",
       L"brava"},
      {L"D:\\", nullptr, L"E:\\Apps\\Ferrix", 0, L"D:\\" + F, L"E:\\Apps\\", L"pelmo"},
      {L"D:\\Design\\", L"E:\\Suite\\", L"Ferrix", 1, L"E:\\Suite\\" + F, L"", L""},
      {nullptr, nullptr, L"E:\\Apps\\\\Ferrix", -1, F, L"E:\\Apps\\", L"brava"},
      {L"D:\\Design\\\\", nullptr, nullptr, -1, L"D:\\Design\\" + F, L"D:\\Design\\", L"brava"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    ClearSetupTree();
    WriteDriverIni(
        std::wstring(L"[TREL_OPTIONS]\r\nSETUP_TITLE=Ferrix Setup\r\nSETUP_TRELPRODUCT=") +
        c.trelProduct + L"\r\n");
    test::RegSetString(test::kOptionsKey, L"active", L"cofraclient");  // plays no part
    if (c.stored) test::RegSetString(test::kFerrixKey, L"TARGETDIR", c.stored);
    if (c.installProduct)
      test::RegSetString(test::kInstallProductKey, L"TARGETDIR", c.installProduct);
    if (c.canceled >= 0) test::RegSetDword(test::kFerrixKey, L"_CANCELED", c.canceled);
    const test::FolderPageSeen seen =
        test::VisitFolderPage(kFerrixDestination, IDC_NEXT, c.typed ? Text(c.typed) : Text());
    const UINT edition = std::wstring(c.trelProduct) == L"brava" ? IDS_FERRIX_STANDARD_EDITION
                                                                 : IDS_FERRIX_OTHER_EDITION;
    EXPECT_EQ(seen.caption, L"Ferrix Setup");
    EXPECT_EQ(seen.description,
              kit::FormatStrings(test::ResourceLibraryString(IDS_FERRIX_DESCRIPTION),
                                 {test::ResourceLibraryString(edition)}));
    EXPECT_EQ(seen.folder, c.shown);
    EXPECT_EQ(test::RegGetString(test::kFerrixKey, L"TARGETDIR"), std::wstring(c.storedAfter));
    EXPECT_EQ(test::RegGetDword(test::kFerrixKey, L"_CANCELED"),
              c.canceled < 0 ? std::nullopt : std::optional<DWORD>(c.canceled))
        << L"Next keeps the marker";
  }
}

TEST_F(FerrixDestinationTest, BrowseGivesAFolderItsBackslashAndARootNone) {
  for (const std::wstring picked : {L"C:\\windows", L"C:\\"}) {
    CFerrixDestination page;
    std::wstring shown;
    test::OpenPage([&] { return RunPageModal(page); },
                   [&](test::Ui& ui, HWND window) {
                     ASSERT_TRUE(test::BrowseTo(ui, window, picked)) << picked;
                     shown = ui.Text(window, IDC_DESTINATION);
                     ui.Click(window, IDC_BACK);
                   });
    const std::wstring parent = picked == L"C:\\" ? picked : picked + L"\\";
    EXPECT_EQ(page.InstallDir(), parent);
    EXPECT_EQ(shown, parent + test::ResourceLibraryString(IDS_FERRIX_FOLDER));
  }
}

}  // namespace
