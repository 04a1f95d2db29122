// The Ulvo destination page: the server's folder on the key it shares with
// the database engine's page, and what Next stores once the user has typed.
#include <gtest/gtest.h>

#include <optional>

#include "resdll/kelvrares_ids.h"
#include "tests/win/support/folder_page.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/setup_test.h"

namespace {

const wchar_t kUlvoDestination[] = L"UlvoDestinationDlg";
const std::wstring kCofraKey = test::kOptionsKey + std::wstring(L"\\CofraServer");
const std::wstring kNervaKey = test::kOptionsKey + std::wstring(L"\\NervaServer");
using Text = std::optional<std::wstring>;

class UlvoDestinationTest : public test::SetupTest {
 protected:
  void SetUp() override {
    SetupTest::SetUp();
    WriteDriverIni(
        L"[COFRASERVER]\r\nPRODUCT_NAME=Cofra Server\r\n[NERVASERVER]\r\nPRODUCT_NAME=50% Nerva "
        L"%s\r\n");
  }
};

// Untouched, Next stores the folder the page chose as it stands; typed
// text is stored up to its last backslash.
TEST_F(UlvoDestinationTest, ShowsTheInstallFolderUnlessTheKeyHasOneAndStoresWhatWasTyped) {
  const struct {
    const wchar_t* active;
    Text installProduct, stored;
    std::optional<DWORD> canceled;
    Text typed;
    std::wstring shown, storedAfter;
  } cases[] = {
      {L"cofraserver", L"D:\\Srv", {}, {}, {}, L"D:\\Srv", L"D:\\Srv"},
      {L"NervaSERVER", L"D:\\Srv\\", L"", {}, {}, L"D:\\Srv\\", L"D:\\Srv\\"},
      {L"nervaserver", L"D:\\Srv\\", L"E:\\Mine\\", 0, {}, L"E:\\Mine\\", L"E:\\Mine\\"},
      {L"", L"D:\\Srv\\", L"E:\\Mine\\", 1, {}, L"D:\\Srv\\", L"D:\\Srv\\"},
      {L"nervaclient", {}, {}, {}, {}, L"", L""},
      {L"cofraserver", L"D:\\Srv\\\\", {}, {}, {}, L"D:\\Srv\\\\", L"D:\\Srv\\"},
      {L"cofraserver", L"D:\\Srv\\", {}, {}, L"F:\\Other\\Ulvo", L"D:\\Srv\\", L"F:\\Other\\"},
      {L"cofraserver", L"D:\\Srv\\", {}, {}, L"F:\\Other\\\\", L"D:\\Srv\\", L"F:\\Other\\"},
      {L"cofraserver", L"D:\\Srv\\", {}, {}, L"Ulvo", L"D:\\Srv\\", L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::wstring(c.active) + L" " + c.typed.value_or(L"(untyped)"));
    ClearSetupTree();
    const bool nerva = lstrcmpiW(c.active, L"nervaserver") == 0;
    const std::wstring& key = nerva ? kNervaKey : kCofraKey;
    const std::wstring name = nerva ? L"50% Nerva %s" : *c.active == L'c' ? L"Cofra Server" : L"";
    test::RegSetString(test::kOptionsKey, L"active", c.active);
    if (c.installProduct)
      test::RegSetString(test::kInstallProductKey, L"TARGETDIR", *c.installProduct);
    if (c.stored) test::RegSetString(key, L"TARGETDIR", *c.stored);
    if (c.canceled) test::RegSetDword(key, L"_CANCELED", *c.canceled);
    const test::FolderPageSeen seen = test::VisitFolderPage(kUlvoDestination, IDC_NEXT, c.typed);
    EXPECT_EQ(seen.caption, name + L" " + test::ResourceLibraryString(IDS_CAPTION_SUFFIX));
    EXPECT_EQ(seen.description, test::DescriptionFor(name));
    EXPECT_EQ(seen.folder, c.shown);
    EXPECT_EQ(test::RegGetString(key, L"TARGETDIR"), c.storedAfter);
    EXPECT_FALSE(test::RegKeyExists(nerva ? kCofraKey : kNervaKey));
  }
}

TEST_F(UlvoDestinationTest, BrowseAppendsTheSubFolderAndNextStoresThePickedFolder) {
  const std::wstring sub = test::ResourceLibraryString(IDS_ULVO_FOLDER);
  for (const Text& typedAfter : {Text(), Text(L"F:\\Typed\\" + sub)}) {
    std::wstring shown;
    test::OpenPage(kUlvoDestination, [&](test::Ui& ui, HWND page) {
      ui.SetText(page, IDC_DESTINATION, L"C:\\typed first");
      ASSERT_TRUE(test::BrowseTo(ui, page, L"C:\\windows"));
      shown = ui.Text(page, IDC_DESTINATION);
      if (typedAfter) ui.SetText(page, IDC_DESTINATION, *typedAfter);
      ui.Click(page, IDC_NEXT);
    });
    EXPECT_EQ(shown, L"C:\\windows\\" + sub);
    EXPECT_EQ(test::RegGetString(kCofraKey, L"TARGETDIR"),
              std::wstring(typedAfter ? L"F:\\Typed\\" : L"C:\\windows\\"));
  }
}

}  // namespace
