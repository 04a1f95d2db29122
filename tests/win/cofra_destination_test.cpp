// The Cofra destination page: Cofra's or Nerva's client by the active
// product, the description filled with the product's name as plain text.
#include <gtest/gtest.h>

#include "framework/page_entry.h"
#include "pages/destination/cofra_destination.h"
#include "pages/server/disk_cost_data.h"
#include "resdll/kelvrares_ids.h"
#include "tests/win/support/folder_page.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/page_kit.h"

namespace {

using test::Ui;

const char kExport[] = "CofraDestinationDlg";
const char kTarget[] = "TARGETDIR";
const std::string kCofraKey = test::kOptionsKey + std::string("\\CofraClient");
const std::string kNervaKey = test::kOptionsKey + std::string("\\NervaClient");

// The description as a reader expects it: every place-holder is the name.
std::string Described(const std::string& name) {
  std::string text = test::ResourceLibraryString(IDS_FOLDER_DESCRIPTION);
  for (size_t at = text.find("%s"); at != std::string::npos; at = text.find("%s", at + name.size()))
    text.replace(at, 2, name);
  return text;
}

class CofraDestinationTest : public test::SetupTest {
 protected:
  void SetUp() override {
    SetupTest::SetUp();
    WriteDriverIni(
        "[COFRACLIENT]\r\nPRODUCT_NAME=Cofra Client 11\r\nDISKCOST_OS_PRODUCT=10;20\r\n"
        "[NERVACLIENT]\r\nPRODUCT_NAME=100% Nerva %s %d\r\n"
        "[NERVASERVER]\r\nPRODUCT_NAME=Nerva Server 11\r\nDISKCOST_OS_PRODUCT=30;40\r\n");
  }
};

TEST_F(CofraDestinationTest, ActiveProductChoosesKeyFolderAndName) {
  const struct {
    const char* active;  // null: no "active" value
    const std::string* key;
    const std::string* otherKey;
    UINT folder;
    std::string name;
  } cases[] = {
      {"NervaClient", &kNervaKey, &kCofraKey, IDS_NERVA_CLIENT_FOLDER, "100% Nerva %s %d"},
      {"NERVACLIENT", &kNervaKey, &kCofraKey, IDS_NERVA_CLIENT_FOLDER, "100% Nerva %s %d"},
      {"cofraclient", &kCofraKey, &kNervaKey, IDS_COFRA_CLIENT_FOLDER, "Cofra Client 11"},
      {"nervaserver", &kCofraKey, &kNervaKey, IDS_COFRA_CLIENT_FOLDER, "Nerva Server 11"},
      {nullptr, &kCofraKey, &kNervaKey, IDS_COFRA_CLIENT_FOLDER, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.active ? c.active : "(no active)");
    ClearSetupTree();
    if (c.active) test::RegSetString(test::kOptionsKey, "active", c.active);
    test::RegSetString(*c.key, kTarget, "D:\\Clients\\");
    test::RegSetString(*c.otherKey, kTarget, "X:\\Wrong\\");
    const test::FolderPageSeen seen = test::VisitFolderPage(kExport, IDC_NEXT, "E:\\Data\\Client");
    EXPECT_EQ(seen.caption, c.name + " " + test::ResourceLibraryString(IDS_CAPTION_SUFFIX));
    EXPECT_EQ(seen.description, Described(c.name));
    EXPECT_EQ(seen.folder, "D:\\Clients\\" + test::ResourceLibraryString(c.folder));
    EXPECT_EQ(test::RegGetString(*c.key, kTarget), "E:\\Data\\");
    EXPECT_EQ(test::RegGetString(*c.otherKey, kTarget), "X:\\Wrong\\");
  }
}

TEST_F(CofraDestinationTest, DefaultFallsBackToTheInstallFolderAfterCancel) {
  test::RegSetString(test::kOptionsKey, "active", "cofraclient");
  test::RegSetString(kCofraKey, kTarget, "D:\\Clients\\");
  test::RegSetDword(kCofraKey, "_CANCELED", 1);
  test::RegSetString(test::kInstallProductKey, kTarget, "E:\\");
  const std::string folder = test::ResourceLibraryString(IDS_COFRA_CLIENT_FOLDER);
  EXPECT_EQ(test::VisitFolderPage(kExport, IDC_NEXT).folder, "E:\\" + folder);
  EXPECT_EQ(test::RegGetString(kCofraKey, kTarget), "E:\\");
  EXPECT_EQ(test::RegGetDword(kCofraKey, "_CANCELED"), 1u) << "Next leaves the marker";
}

TEST_F(CofraDestinationTest, DiskCostReadsTheActiveProductsSection) {
  test::RegSetString(test::kOptionsKey, "active", "nervaserver");
  CCofraDestination page;
  test::Drive([&] { return RunPageModal(page); },
              [&](Ui& ui) {
                HWND window = ui.WaitForDialog();
                ui.Click(window, IDC_DISK_COST);
                HWND dialog = ui.WaitForDialog(window);
                ui.Click(dialog, IDOK);
                ui.WaitUntilClosed(dialog);
                ui.Click(window, IDC_BACK);
              });
  const auto& requirements = kelvra::GetDiskCostData().requirements;
  ASSERT_EQ(requirements.size(), 2u);
  EXPECT_EQ(requirements[0].required, 30 * 1048576LL);
  EXPECT_EQ(requirements[1].required, 40 * 1048576LL);
}

}  // namespace

KELVRA_SHARED_PAGE_RULES(CofraDestination, {kExport, kCofraKey, 1});
