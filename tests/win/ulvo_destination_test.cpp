// The Ulvo destination page: the server's folder on the key it shares with
// the database engine's page, and what Next stores once the user has typed.
#include <gtest/gtest.h>

#include <optional>

#include "resdll/kelvrares_ids.h"
#include "tests/win/support/folder_page.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/page_kit.h"

namespace {

using test::Ui;

const char kExport[] = "UlvoDestinationDlg";
const char kTarget[] = "TARGETDIR";
const std::string kCofraKey = test::kOptionsKey + std::string("\\CofraServer");
const std::string kNervaKey = test::kOptionsKey + std::string("\\NervaServer");

class UlvoDestinationTest : public test::SetupTest {
 protected:
  void SetUp() override {
    SetupTest::SetUp();
    WriteDriverIni(
        "[COFRASERVER]\r\nPRODUCT_NAME=Cofra Server 11\r\n"
        "[NERVASERVER]\r\nPRODUCT_NAME=50% Nerva %s\r\n");
  }
};

// Without typing, Next stores the folder the page chose, as it stands.
TEST_F(UlvoDestinationTest, ShowsAndKeepsTheInstallFolderUnlessTheKeyHasOne) {
  struct Case {
    const char* name;
    std::optional<std::string> installProduct;
    std::optional<std::string> stored;
    std::optional<DWORD> canceled;
    std::string shown;
    std::string kept;
  };
  const Case cases[] = {
      {"install folder as is", "D:\\Srv", std::nullopt, std::nullopt, "D:\\Srv", "D:\\Srv"},
      {"empty stored value", "D:\\Srv\\", "", std::nullopt, "D:\\Srv\\", "D:\\Srv\\"},
      {"stored value", "D:\\Srv\\", "E:\\Mine\\", 0, "E:\\Mine\\", "E:\\Mine\\"},
      {"after a cancel", "D:\\Srv\\", "E:\\Mine\\", 1, "D:\\Srv\\", "D:\\Srv\\"},
      {"nothing anywhere", std::nullopt, std::nullopt, std::nullopt, "", ""},
      {"doubled backslash", "D:\\Srv\\\\", std::nullopt, std::nullopt, "D:\\Srv\\\\", "D:\\Srv\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClearSetupTree();
    if (c.installProduct) test::RegSetString(test::kInstallProductKey, kTarget, *c.installProduct);
    if (c.stored) test::RegSetString(kCofraKey, kTarget, *c.stored);
    if (c.canceled) test::RegSetDword(kCofraKey, "_CANCELED", *c.canceled);
    EXPECT_EQ(test::VisitFolderPage(kExport, IDC_NEXT).folder, c.shown);
    EXPECT_EQ(test::RegGetString(kCofraKey, kTarget), c.kept);
    EXPECT_EQ(test::RegGetDword(kCofraKey, "_CANCELED"), 0u);
  }
}

TEST_F(UlvoDestinationTest, TypedTextIsStoredUpToItsLastBackslash) {
  const struct {
    const char* typed;
    const char* stored;
  } cases[] = {
      {"F:\\Other\\Ulvo", "F:\\Other\\"},
      {"F:\\Other\\", "F:\\Other\\"},
      {"F:\\Other\\\\", "F:\\Other\\"},
      {"Ulvo", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    ClearSetupTree();
    test::RegSetString(test::kInstallProductKey, kTarget, "D:\\Srv\\");
    EXPECT_EQ(test::VisitFolderPage(kExport, IDC_NEXT, std::string(c.typed)).result, 1);
    EXPECT_EQ(test::RegGetString(kCofraKey, kTarget), std::string(c.stored));
  }
}

TEST_F(UlvoDestinationTest, NervaServerInAnyCaseHasItsOwnKey) {
  const struct {
    const char* active;
    const std::string* key;
    const std::string* otherKey;
    std::string caption;
    std::string name;
  } cases[] = {
      {"NervaSERVER", &kNervaKey, &kCofraKey, "50% Nerva %s", "50% Nerva %s"},
      {"cofraserver", &kCofraKey, &kNervaKey, "Cofra Server 11", "Cofra Server 11"},
      {"nervaclient", &kCofraKey, &kNervaKey, "", ""},
  };
  const std::string description = test::ResourceLibraryString(IDS_FOLDER_DESCRIPTION);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.active);
    ClearSetupTree();
    test::RegSetString(test::kOptionsKey, "active", c.active);
    test::RegSetString(*c.key, kTarget, "E:\\Mine\\");
    const test::FolderPageSeen seen = test::VisitFolderPage(kExport, IDC_NEXT);
    EXPECT_EQ(seen.folder, "E:\\Mine\\");
    EXPECT_EQ(seen.caption, c.caption + " " + test::ResourceLibraryString(IDS_CAPTION_SUFFIX));
    // The name fills both place-holders, exactly as written.
    const size_t first = description.find("%s");
    const size_t second = description.find("%s", first + 2);
    ASSERT_NE(second, std::string::npos);
    EXPECT_EQ(seen.description, description.substr(0, first) + c.name +
                                    description.substr(first + 2, second - first - 2) + c.name +
                                    description.substr(second + 2));
    EXPECT_EQ(test::RegGetDword(*c.key, "_CANCELED"), 0u);
    EXPECT_FALSE(test::RegKeyExists(*c.otherKey));
  }
}

TEST_F(UlvoDestinationTest, BrowseAppendsTheSubFolderAndNextStoresThePickedFolder) {
  const test::ScratchFolder work("ulvo_work");
  const std::string subFolder = test::ResourceLibraryString(IDS_ULVO_FOLDER);
  const struct {
    const char* name;
    std::optional<std::string> typedAfter;
    std::string stored;
  } cases[] = {
      {"picked", std::nullopt, work.Path() + "\\"},
      {"picked, then typed", "F:\\Typed\\" + subFolder, "F:\\Typed\\"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClearSetupTree();
    bool picked = false;
    std::string shown;
    test::OpenPage(kExport, [&](Ui& ui, HWND page) {
      ui.SetText(page, IDC_DESTINATION, "C:\\typed first");
      picked = test::BrowseTo(ui, page, work.Path());
      shown = ui.Text(page, IDC_DESTINATION);
      if (c.typedAfter) ui.SetText(page, IDC_DESTINATION, *c.typedAfter);
      ui.Click(page, IDC_NEXT);
    });
    ASSERT_TRUE(picked);
    EXPECT_EQ(shown, work.Path() + "\\" + subFolder);
    EXPECT_EQ(test::RegGetString(kCofraKey, kTarget), c.stored);
  }
}

}  // namespace

KELVRA_SHARED_PAGE_RULES(UlvoDestination, {kExport, kCofraKey, 0});
