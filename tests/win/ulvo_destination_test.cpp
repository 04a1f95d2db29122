// The Ulvo destination page: the server's folder on the key it shares with
// the database engine's page, and what Next stores once the user has typed.
#include <gtest/gtest.h>

#include <optional>

#include "resdll/kelvrares_ids.h"
#include "tests/win/support/folder_page.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/page_kit.h"

namespace {

const char kExport[] = "UlvoDestinationDlg";
const std::string kCofraKey = test::kOptionsKey + std::string("\\CofraServer");
const std::string kNervaKey = test::kOptionsKey + std::string("\\NervaServer");
using Text = std::optional<std::string>;

class UlvoDestinationTest : public test::SetupTest {
 protected:
  void SetUp() override {
    SetupTest::SetUp();
    WriteDriverIni(
        "[COFRASERVER]\r\nPRODUCT_NAME=Cofra Server\r\n[NERVASERVER]\r\nPRODUCT_NAME=50% Nerva "
        "%s\r\n");
  }
};

// Untouched, Next stores the folder the page chose as it stands; typed
// text is stored up to its last backslash.
TEST_F(UlvoDestinationTest, ShowsTheInstallFolderUnlessTheKeyHasOneAndStoresWhatWasTyped) {
  const struct {
    const char* active;
    Text installProduct, stored;
    std::optional<DWORD> canceled;
    Text typed;
    std::string shown, storedAfter;
  } cases[] = {
      {"cofraserver", "D:\\Srv", {}, {}, {}, "D:\\Srv", "D:\\Srv"},
      {"NervaSERVER", "D:\\Srv\\", "", {}, {}, "D:\\Srv\\", "D:\\Srv\\"},
      {"nervaserver", "D:\\Srv\\", "E:\\Mine\\", 0, {}, "E:\\Mine\\", "E:\\Mine\\"},
      {"", "D:\\Srv\\", "E:\\Mine\\", 1, {}, "D:\\Srv\\", "D:\\Srv\\"},
      {"nervaclient", {}, {}, {}, {}, "", ""},
      {"cofraserver", "D:\\Srv\\\\", {}, {}, {}, "D:\\Srv\\\\", "D:\\Srv\\"},
      {"cofraserver", "D:\\Srv\\", {}, {}, "F:\\Other\\Ulvo", "D:\\Srv\\", "F:\\Other\\"},
      {"cofraserver", "D:\\Srv\\", {}, {}, "F:\\Other\\\\", "D:\\Srv\\", "F:\\Other\\"},
      {"cofraserver", "D:\\Srv\\", {}, {}, "Ulvo", "D:\\Srv\\", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.active) + " " + c.typed.value_or("(untyped)"));
    ClearSetupTree();
    const bool nerva = lstrcmpiA(c.active, "nervaserver") == 0;
    const std::string& key = nerva ? kNervaKey : kCofraKey;
    const std::string name = nerva ? "50% Nerva %s" : *c.active == 'c' ? "Cofra Server" : "";
    test::RegSetString(test::kOptionsKey, "active", c.active);
    if (c.installProduct)
      test::RegSetString(test::kInstallProductKey, "TARGETDIR", *c.installProduct);
    if (c.stored) test::RegSetString(key, "TARGETDIR", *c.stored);
    if (c.canceled) test::RegSetDword(key, "_CANCELED", *c.canceled);
    const test::FolderPageSeen seen = test::VisitFolderPage(kExport, IDC_NEXT, c.typed);
    EXPECT_EQ(seen.caption, name + " " + test::ResourceLibraryString(IDS_CAPTION_SUFFIX));
    EXPECT_EQ(seen.description, test::DescriptionFor(name));
    EXPECT_EQ(seen.folder, c.shown);
    EXPECT_EQ(test::RegGetString(key, "TARGETDIR"), c.storedAfter);
    EXPECT_FALSE(test::RegKeyExists(nerva ? kCofraKey : kNervaKey));
  }
}

TEST_F(UlvoDestinationTest, BrowseAppendsTheSubFolderAndNextStoresThePickedFolder) {
  const std::string sub = test::ResourceLibraryString(IDS_ULVO_FOLDER);
  for (const Text& typedAfter : {Text(), Text("F:\\Typed\\" + sub)}) {
    std::string shown;
    test::OpenPage(kExport, [&](test::Ui& ui, HWND page) {
      ui.SetText(page, IDC_DESTINATION, "C:\\typed first");
      ASSERT_TRUE(test::BrowseTo(ui, page, "C:\\windows"));
      shown = ui.Text(page, IDC_DESTINATION);
      if (typedAfter) ui.SetText(page, IDC_DESTINATION, *typedAfter);
      ui.Click(page, IDC_NEXT);
    });
    EXPECT_EQ(shown, "C:\\windows\\" + sub);
    EXPECT_EQ(test::RegGetString(kCofraKey, "TARGETDIR"),
              std::string(typedAfter ? "F:\\Typed\\" : "C:\\windows\\"));
  }
}

}  // namespace

KELVRA_SHARED_PAGE_RULES(UlvoDestination, {kExport, kCofraKey, 0});
