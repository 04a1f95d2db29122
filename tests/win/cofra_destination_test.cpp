// The Cofra destination page: Cofra's or Nerva's client by the active
// product; and the Disk Cost section of the three one-folder pages.
#include <gtest/gtest.h>

#include "framework/page_entry.h"
#include "pages/destination/cofra_destination.h"
#include "pages/destination/ferrix_destination.h"
#include "pages/disk_cost/disk_cost_data.h"
#include "pages/server/ulvo_destination.h"
#include "resdll/kelvrares_ids.h"
#include "tests/win/support/folder_page.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/setup_test.h"

namespace {

const wchar_t kCofraDestination[] = L"CofraDestinationDlg";
const std::wstring kCofraKey = test::kOptionsKey + std::wstring(L"\\CofraClient");
const std::wstring kNervaKey = test::kOptionsKey + std::wstring(L"\\NervaClient");

// The page as this program's own copy, whose Disk Cost data the test can see.
template <class Page>
int RunOwnCopy() {
  Page page;
  return RunPageModal(page);
}

class CofraDestinationTest : public test::SetupTest {
 protected:
  void SetUp() override {
    SetupTest::SetUp();
    WriteDriverIni(
        L"[COFRACLIENT]\r\nPRODUCT_NAME=Cofra Client\r\nDISKCOST_OS_PRODUCT=10;20\r\n"
        L"[NERVACLIENT]\r\nPRODUCT_NAME=100% Nerva %s %d\r\n"
        L"[FERRIX]\r\nDISKCOST_OS_PRODUCT=30;40\r\n");
  }
};

TEST_F(CofraDestinationTest, ActiveProductChoosesKeyFolderAndName) {
  const struct {
    const wchar_t* active;  // null: none
    bool nerva;
    std::wstring name;
  } cases[] = {{L"NervaClient", true, L"100% Nerva %s %d"},
               {L"NERVACLIENT", true, L"100% Nerva %s %d"},
               {L"cofraclient", false, L"Cofra Client"},
               {nullptr, false, L""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.active ? c.active : L"(none)");
    ClearSetupTree();
    const std::wstring& key = c.nerva ? kNervaKey : kCofraKey;
    const std::wstring& other = c.nerva ? kCofraKey : kNervaKey;
    if (c.active) test::RegSetString(test::kOptionsKey, L"active", c.active);
    test::RegSetString(key, L"TARGETDIR", L"D:\\Clients\\");
    test::RegSetString(other, L"TARGETDIR", L"X:\\Other\\");
    test::RegSetDword(key, L"_CANCELED", 0);
    const test::FolderPageSeen seen =
        test::VisitFolderPage(kCofraDestination, IDC_NEXT, L"E:\\Data\\Client");
    EXPECT_EQ(seen.caption, c.name + L" " + test::ResourceLibraryString(IDS_CAPTION_SUFFIX));
    EXPECT_EQ(seen.description, test::DescriptionFor(c.name));
    const UINT folder = c.nerva ? IDS_NERVA_CLIENT_FOLDER : IDS_COFRA_CLIENT_FOLDER;
    EXPECT_EQ(seen.folder, L"D:\\Clients\\" + test::ResourceLibraryString(folder));
    EXPECT_EQ(test::RegGetString(key, L"TARGETDIR"), L"E:\\Data\\");
    EXPECT_EQ(test::RegGetString(other, L"TARGETDIR"), L"X:\\Other\\");
  }
}

// Ferrix sizes whatever is active; the others follow the active product.
TEST_F(CofraDestinationTest, DiskCostSectionOfEachOneFolderPage) {
  test::RegSetString(test::kOptionsKey, L"active", L"cofraclient");
  const struct {
    int (*run)();
    long long system, destination;
  } cases[] = {{RunOwnCopy<CFerrixDestination>, 30, 40},
               {RunOwnCopy<CCofraDestination>, 10, 20},
               {RunOwnCopy<CUlvoDestination>, 10, 20}};
  for (const auto& c : cases) {
    test::OpenPage(c.run, [](test::Ui& ui, HWND window) {
      ui.SetText(window, IDC_DESTINATION, L"q:\\Apps");
      ui.Click(window, IDC_DISK_COST);
      HWND dialog = ui.WaitForDialog(window);
      ui.Click(dialog, IDOK);
      ui.WaitUntilClosed(dialog);
      ui.Click(window, IDC_BACK);
    });
    const auto& needs = kelvra::DiskCostDataSoFar().requirements;
    ASSERT_EQ(needs.size(), 2u);
    EXPECT_EQ(needs[0].required, c.system * 1048576);
    EXPECT_EQ(needs[1].name, L"q:");
    EXPECT_EQ(needs[1].required, c.destination * 1048576);
  }
}

}  // namespace
