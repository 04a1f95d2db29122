// The MSDE destination page: the two folders, the box that makes the data
// folder follow the program folder, what Next stores and when it refuses.
#include <gtest/gtest.h>

#include <optional>

#include "framework/page_entry.h"
#include "pages/disk_cost/disk_cost_data.h"
#include "pages/server/msde_destination.h"
#include "resdll/kelvrares_ids.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/setup_test.h"

namespace {

using test::Ui;

const std::wstring kCofraServerKey = std::wstring(test::kOptionsKey) + L"\\CofraServer";
const std::wstring kNervaServerKey = std::wstring(test::kOptionsKey) + L"\\NervaServer";
const wchar_t kMachineKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion";
const std::wstring kDefault = L"C:\\Program Files\\Microsoft SQL Server\\";

struct PageSeen {
  std::wstring program, data;
  bool ticked = false, dataEnabled = false, dataBrowseEnabled = false;
};

PageSeen Look(Ui& ui, HWND page) {
  return {ui.Text(page, IDC_DESTINATION), ui.Text(page, IDC_DATA_FOLDER),
          ui.IsChecked(page, IDC_DATA_FOLLOWS_PROGRAM),
          IsWindowEnabled(GetDlgItem(page, IDC_DATA_FOLDER)) != FALSE,
          IsWindowEnabled(GetDlgItem(page, IDC_BROWSE_DATA_FOLDER)) != FALSE};
}

void SetProgramFiles(const std::wstring& folder) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kMachineKey, 0, KEY_WRITE, &key), 0);
  RegSetValueExW(key, L"ProgramFilesDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                 static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

class MsdeDestinationTest : public test::SetupTest {
 protected:
  void SetUp() override {
    SetupTest::SetUp();
    SetProgramFiles(L"C:\\Program Files");  // as Wine has it
    WriteDriverIni(L"[NERVASERVER]\r\nDISKCOST_OS_PRODUCT=10;20\r\n");
  }

  // Opens the page, looks, runs `act`, presses Next; returns the result.
  static int Visit(PageSeen* seen, const std::function<void(Ui&, HWND)>& act = nullptr) {
    return test::OpenPage(L"MsdeDestinationDlg", [&](Ui& ui, HWND page) {
      if (seen) *seen = Look(ui, page);
      if (act) act(ui, page);
      ui.Click(page, IDC_NEXT);
    });
  }
};

TEST_F(MsdeDestinationTest, FirstRunFollowsEveryKeystrokeAndStoresBoth) {
  PageSeen first;
  std::wstring notFollowed;
  EXPECT_EQ(Visit(&first,
                  [&](Ui& ui, HWND page) {
                    HWND edit = GetDlgItem(page, IDC_DESTINATION);
                    SendMessageW(edit, EM_SETSEL, 0, -1);
                    for (wchar_t c : std::wstring(L"F:\\Sql")) {
                      SendMessageW(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
                      if (ui.Text(page, IDC_DATA_FOLDER) != ui.Text(page, IDC_DESTINATION))
                        notFollowed += c;
                    }
                  }),
            KELVRA_NEXT);
  EXPECT_EQ(first.program, kDefault);
  EXPECT_EQ(first.data, kDefault);
  EXPECT_TRUE(first.ticked);
  EXPECT_FALSE(first.dataEnabled);
  EXPECT_FALSE(first.dataBrowseEnabled);
  EXPECT_EQ(notFollowed, L"");
  EXPECT_EQ(test::RegGetString(kCofraServerKey, L"_MSDEPATH"), L"F:\\Sql\\");
  EXPECT_EQ(test::RegGetString(kCofraServerKey, L"_DATADIR"), L"F:\\Sql\\");
  EXPECT_EQ(test::RegGetDword(kCofraServerKey, L"_USEDEFAULTDATADIR"), 1u);
  EXPECT_EQ(test::RegGetDword(kCofraServerKey, L"_CANCELED"), std::nullopt);
}

TEST_F(MsdeDestinationTest, ClearingTheBoxFreesTheDataFolderAndTickingCopiesIt) {
  PageSeen cleared, typed, ticked;
  Visit(nullptr, [&](Ui& ui, HWND page) {
    ui.Toggle(page, IDC_DATA_FOLLOWS_PROGRAM);
    cleared = Look(ui, page);
    ui.SetText(page, IDC_DESTINATION, L"E:\\Sql");
    ui.SetText(page, IDC_DATA_FOLDER, L"G:\\Data");
    typed = Look(ui, page);
    ui.Toggle(page, IDC_DATA_FOLLOWS_PROGRAM);
    ticked = Look(ui, page);
    ui.Toggle(page, IDC_DATA_FOLLOWS_PROGRAM);
    ui.SetText(page, IDC_DESTINATION, L"D:\\");
    ui.SetText(page, IDC_DATA_FOLDER, L"G:\\Data\\\\\\");
  });
  EXPECT_EQ(cleared.data, kDefault) << L"the data folder keeps its text";
  EXPECT_TRUE(cleared.dataEnabled && cleared.dataBrowseEnabled);
  EXPECT_EQ(typed.data, L"G:\\Data") << L"no longer follows";
  EXPECT_EQ(ticked.data, L"E:\\Sql") << L"ticking copies the program folder";
  EXPECT_FALSE(ticked.dataEnabled || ticked.dataBrowseEnabled);
  EXPECT_EQ(test::RegGetString(kCofraServerKey, L"_MSDEPATH"), L"D:\\") << L"one backslash only";
  EXPECT_EQ(test::RegGetString(kCofraServerKey, L"_DATADIR"), L"G:\\Data\\");
  EXPECT_EQ(test::RegGetDword(kCofraServerKey, L"_USEDEFAULTDATADIR"), 0u);
}

TEST_F(MsdeDestinationTest, StoredFoldersCountAsAPairOnTheServersKeyUnlessCancelled) {
  struct Case {
    const wchar_t* name;
    const wchar_t* active;
    const std::wstring* key;
    const wchar_t* data;  // null: not stored
    std::optional<DWORD> canceled;
    std::wstring shownProgram, shownData;
    bool ticked;
  };
  const Case cases[] = {
      {L"pair stored, box clear", L"cofraserver", &kCofraServerKey, L"F:\\D\\", 0, L"E:\\S\\",
       L"F:\\D\\", false},
      {L"Nerva server in any case",
       L"nErVaSeRvEr",
       &kNervaServerKey,
       L"F:\\D\\",
       {},
       L"E:\\S\\",
       L"F:\\D\\",
       false},
      {L"no data folder", L"", &kCofraServerKey, nullptr, 0, kDefault, kDefault, false},
      {L"last visit cancelled", L"NERVACLIENT", &kCofraServerKey, L"F:\\D\\", 1, kDefault, kDefault,
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClearSetupTree();
    test::RegSetString(test::kOptionsKey, L"active", c.active);
    test::RegSetString(*c.key, L"_MSDEPATH", L"E:\\S\\");
    if (c.data) test::RegSetString(*c.key, L"_DATADIR", c.data);
    test::RegSetDword(*c.key, L"_USEDEFAULTDATADIR", 0);
    if (c.canceled) test::RegSetDword(*c.key, L"_CANCELED", *c.canceled);
    PageSeen seen;
    Visit(&seen, [](Ui& ui, HWND page) { ui.SetText(page, IDC_DESTINATION, L"H:\\New"); });
    EXPECT_EQ(seen.program, c.shownProgram);
    EXPECT_EQ(seen.data, c.shownData);
    EXPECT_EQ(seen.ticked, c.ticked);
    EXPECT_EQ(test::RegGetString(*c.key, L"_MSDEPATH"), L"H:\\New\\");
    EXPECT_EQ(test::RegGetDword(*c.key, L"_CANCELED"), c.canceled) << L"Next leaves the marker";
    const std::wstring& other = c.key == &kCofraServerKey ? kNervaServerKey : kCofraServerKey;
    EXPECT_FALSE(test::RegKeyExists(other));
  }
}

BOOL CALLBACK FindIcon(HWND child, LPARAM out) {
  if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) return TRUE;
  *reinterpret_cast<HICON*>(out) = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
  return FALSE;
}

TEST_F(MsdeDestinationTest, EmptyFolderIsRefusedWithTheInformationMessageOfThePage) {
  const struct {
    const wchar_t* program;
    const wchar_t* data;
    UINT message;
  } cases[] = {{L"", L"G:\\Data", IDS_NO_PROGRAM_FOLDER}, {L"E:\\Sql", L"", IDS_NO_DATA_FOLDER}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    test::MessageBoxSeen box;
    HICON icon = nullptr;
    bool ownedByThePage = false, pageStayed = false;
    const int result = test::OpenPage(L"MsdeDestinationDlg", [&](Ui& ui, HWND page) {
      ui.Toggle(page, IDC_DATA_FOLLOWS_PROGRAM);
      ui.SetText(page, IDC_DESTINATION, c.program);
      ui.SetText(page, IDC_DATA_FOLDER, c.data);
      ui.Click(page, IDC_NEXT);
      box = ui.WaitForMessageBox();
      if (!box.window) return;
      EnumChildWindows(box.window, FindIcon, reinterpret_cast<LPARAM>(&icon));
      ownedByThePage = GetWindow(box.window, GW_OWNER) == page && !IsWindowEnabled(page);
      ui.Answer(box, IDOK);
      pageStayed = ui.Text(page, IDC_DATA_FOLDER) == c.data;
      ui.Click(page, IDC_BACK);
    });
    EXPECT_EQ(box.text, test::ResourceLibraryString(c.message));
    EXPECT_EQ(box.caption, test::ResourceLibraryString(IDS_ENGINE_FOLDER_CAPTION));
    EXPECT_EQ(icon, LoadIcon(nullptr, IDI_INFORMATION));
    EXPECT_TRUE(ownedByThePage);
    EXPECT_TRUE(pageStayed);
    EXPECT_EQ(result, KELVRA_BACK);
    EXPECT_FALSE(test::RegKeyExists(kCofraServerKey)) << L"nothing stored";
  }
}

// On this program's own copy of the page, whose Disk Cost data it can see.
TEST_F(MsdeDestinationTest, DiskCostTakesTheActiveSectionAndTheProgramFoldersDrive) {
  test::RegSetString(test::kOptionsKey, L"active", L"nervaserver");
  CMsdeDestination page;
  test::OpenPage([&] { return RunPageModal(page); },
                 [&](Ui& ui, HWND window) {
                   ui.Click(window, IDC_DATA_FOLLOWS_PROGRAM);
                   ui.SetText(window, IDC_DESTINATION, L"q:\\Sql");
                   ui.SetText(window, IDC_DATA_FOLDER, L"R:\\Data");
                   ui.Click(window, IDC_DISK_COST);
                   HWND dialog = ui.WaitForDialog(window);
                   ui.Click(dialog, IDOK);
                   ui.WaitUntilClosed(dialog);
                   ui.Click(window, IDC_BACK);
                 });
  const auto requirements = kelvra::DiskCostDataSoFar().requirements;
  ASSERT_EQ(requirements.size(), 2u);
  EXPECT_EQ(requirements[0].required, 10 * 1048576LL) << L"section NERVASERVER";
  EXPECT_EQ(requirements[1].name, L"q:");
  EXPECT_EQ(requirements[1].required, 20 * 1048576LL);
}

}  // namespace
