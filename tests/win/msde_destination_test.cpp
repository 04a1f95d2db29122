// The MSDE destination page: the two folders, the box that makes the data
// folder follow the program folder, what Next stores and when it refuses.
#include <gtest/gtest.h>

#include <optional>

#include "framework/page_entry.h"
#include "pages/server/disk_cost_data.h"
#include "pages/server/msde_destination.h"
#include "resdll/kelvrares_ids.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/page_kit.h"

namespace {

using test::Ui;

const std::string kCofraServerKey = std::string(test::kOptionsKey) + "\\CofraServer";
const std::string kNervaServerKey = std::string(test::kOptionsKey) + "\\NervaServer";
const char kMachineKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
const std::string kDefault = "C:\\Program Files\\Microsoft SQL Server\\";

struct PageSeen {
  std::string program, data;
  bool ticked = false, dataEnabled = false, dataBrowseEnabled = false;
};

PageSeen Look(Ui& ui, HWND page) {
  return {ui.Text(page, IDC_DESTINATION), ui.Text(page, IDC_DATA_FOLDER),
          ui.IsChecked(page, IDC_DATA_FOLLOWS_PROGRAM),
          IsWindowEnabled(GetDlgItem(page, IDC_DATA_FOLDER)) != FALSE,
          IsWindowEnabled(GetDlgItem(page, IDC_BROWSE_DATA_FOLDER)) != FALSE};
}

void SetProgramFiles(const std::string& folder) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kMachineKey, 0, KEY_WRITE, &key), 0);
  RegSetValueExA(key, "ProgramFilesDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                 static_cast<DWORD>(folder.size() + 1));
  RegCloseKey(key);
}

class MsdeDestinationTest : public test::SetupTest {
 protected:
  void SetUp() override {
    SetupTest::SetUp();
    SetProgramFiles("C:\\Program Files");  // as Wine has it
    WriteDriverIni("[NERVASERVER]\r\nDISKCOST_OS_PRODUCT=10;20\r\n");
  }

  // Opens the page, looks, runs `act`, presses Next; returns the result.
  static int Visit(PageSeen* seen, const std::function<void(Ui&, HWND)>& act = nullptr) {
    return test::OpenPage("MsdeDestinationDlg", [&](Ui& ui, HWND page) {
      if (seen) *seen = Look(ui, page);
      if (act) act(ui, page);
      ui.Click(page, IDC_NEXT);
    });
  }
};

TEST_F(MsdeDestinationTest, FirstRunFollowsEveryKeystrokeAndStoresBoth) {
  PageSeen first;
  std::string notFollowed;
  EXPECT_EQ(Visit(&first,
                  [&](Ui& ui, HWND page) {
                    HWND edit = GetDlgItem(page, IDC_DESTINATION);
                    SendMessageA(edit, EM_SETSEL, 0, -1);
                    for (char c : std::string("F:\\Sql")) {
                      SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
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
  EXPECT_EQ(notFollowed, "");
  EXPECT_EQ(test::RegGetString(kCofraServerKey, "_MSDEPATH"), "F:\\Sql\\");
  EXPECT_EQ(test::RegGetString(kCofraServerKey, "_DATADIR"), "F:\\Sql\\");
  EXPECT_EQ(test::RegGetDword(kCofraServerKey, "_USEDEFAULTDATADIR"), 1u);
  EXPECT_EQ(test::RegGetDword(kCofraServerKey, "_CANCELED"), std::nullopt);
}

TEST_F(MsdeDestinationTest, ClearingTheBoxFreesTheDataFolderAndTickingCopiesIt) {
  PageSeen cleared, typed, ticked;
  Visit(nullptr, [&](Ui& ui, HWND page) {
    ui.Toggle(page, IDC_DATA_FOLLOWS_PROGRAM);
    cleared = Look(ui, page);
    ui.SetText(page, IDC_DESTINATION, "E:\\Sql");
    ui.SetText(page, IDC_DATA_FOLDER, "G:\\Data");
    typed = Look(ui, page);
    ui.Toggle(page, IDC_DATA_FOLLOWS_PROGRAM);
    ticked = Look(ui, page);
    ui.Toggle(page, IDC_DATA_FOLLOWS_PROGRAM);
    ui.SetText(page, IDC_DESTINATION, "D:\\");
    ui.SetText(page, IDC_DATA_FOLDER, "G:\\Data\\\\\\");
  });
  EXPECT_EQ(cleared.data, kDefault) << "the data folder keeps its text";
  EXPECT_TRUE(cleared.dataEnabled && cleared.dataBrowseEnabled);
  EXPECT_EQ(typed.data, "G:\\Data") << "no longer follows";
  EXPECT_EQ(ticked.data, "E:\\Sql") << "ticking copies the program folder";
  EXPECT_FALSE(ticked.dataEnabled || ticked.dataBrowseEnabled);
  EXPECT_EQ(test::RegGetString(kCofraServerKey, "_MSDEPATH"), "D:\\") << "one backslash only";
  EXPECT_EQ(test::RegGetString(kCofraServerKey, "_DATADIR"), "G:\\Data\\");
  EXPECT_EQ(test::RegGetDword(kCofraServerKey, "_USEDEFAULTDATADIR"), 0u);
}

TEST_F(MsdeDestinationTest, StoredFoldersCountAsAPairOnTheServersKeyUnlessCancelled) {
  struct Case {
    const char* name;
    const char* active;
    const std::string* key;
    const char* data;  // null: not stored
    std::optional<DWORD> canceled;
    std::string shownProgram, shownData;
    bool ticked;
  };
  const Case cases[] = {
      {"pair stored, box clear", "cofraserver", &kCofraServerKey, "F:\\D\\", 0, "E:\\S\\",
       "F:\\D\\", false},
      {"Nerva server in any case",
       "nErVaSeRvEr",
       &kNervaServerKey,
       "F:\\D\\",
       {},
       "E:\\S\\",
       "F:\\D\\",
       false},
      {"no data folder", "", &kCofraServerKey, nullptr, 0, kDefault, kDefault, false},
      {"last visit cancelled", "NERVACLIENT", &kCofraServerKey, "F:\\D\\", 1, kDefault, kDefault,
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClearSetupTree();
    test::RegSetString(test::kOptionsKey, "active", c.active);
    test::RegSetString(*c.key, "_MSDEPATH", "E:\\S\\");
    if (c.data) test::RegSetString(*c.key, "_DATADIR", c.data);
    test::RegSetDword(*c.key, "_USEDEFAULTDATADIR", 0);
    if (c.canceled) test::RegSetDword(*c.key, "_CANCELED", *c.canceled);
    PageSeen seen;
    Visit(&seen, [](Ui& ui, HWND page) { ui.SetText(page, IDC_DESTINATION, "H:\\New"); });
    EXPECT_EQ(seen.program, c.shownProgram);
    EXPECT_EQ(seen.data, c.shownData);
    EXPECT_EQ(seen.ticked, c.ticked);
    EXPECT_EQ(test::RegGetString(*c.key, "_MSDEPATH"), "H:\\New\\");
    EXPECT_EQ(test::RegGetDword(*c.key, "_CANCELED"), c.canceled) << "Next leaves the marker";
    const std::string& other = c.key == &kCofraServerKey ? kNervaServerKey : kCofraServerKey;
    EXPECT_FALSE(test::RegKeyExists(other));
  }
}

BOOL CALLBACK FindIcon(HWND child, LPARAM out) {
  if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) return TRUE;
  *reinterpret_cast<HICON*>(out) = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
  return FALSE;
}

TEST_F(MsdeDestinationTest, EmptyFolderIsRefusedWithTheInformationMessageOfThePage) {
  const struct {
    const char* program;
    const char* data;
    UINT message;
  } cases[] = {{"", "G:\\Data", IDS_NO_PROGRAM_FOLDER}, {"E:\\Sql", "", IDS_NO_DATA_FOLDER}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    test::MessageBoxSeen box;
    HICON icon = nullptr;
    bool ownedByThePage = false, pageStayed = false;
    const int result = test::OpenPage("MsdeDestinationDlg", [&](Ui& ui, HWND page) {
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
    EXPECT_FALSE(test::RegKeyExists(kCofraServerKey)) << "nothing stored";
  }
}

// On this program's own copy of the page, whose Disk Cost data it can see.
TEST_F(MsdeDestinationTest, DiskCostTakesTheActiveSectionAndTheProgramFoldersDrive) {
  test::RegSetString(test::kOptionsKey, "active", "nervaserver");
  CMsdeDestination page;
  test::Drive([&] { return RunPageModal(page); },
              [&](Ui& ui) {
                HWND window = ui.WaitForDialog();
                ui.Click(window, IDC_DATA_FOLLOWS_PROGRAM);
                ui.SetText(window, IDC_DESTINATION, "q:\\Sql");
                ui.SetText(window, IDC_DATA_FOLDER, "R:\\Data");
                ui.Click(window, IDC_DISK_COST);
                HWND dialog = ui.WaitForDialog(window);
                ui.Click(dialog, IDOK);
                ui.WaitUntilClosed(dialog);
                ui.Click(window, IDC_BACK);
              });
  const auto requirements = kelvra::GetDiskCostData().requirements;
  ASSERT_EQ(requirements.size(), 2u);
  EXPECT_EQ(requirements[0].required, 10 * 1048576LL) << "section NERVASERVER";
  EXPECT_EQ(requirements[1].name, "q:");
  EXPECT_EQ(requirements[1].required, 20 * 1048576LL);
}

}  // namespace

KELVRA_SHARED_PAGE_RULES(MsdeDestination, {"MsdeDestinationDlg",
                                           test::kOptionsKey + std::string("\\CofraServer"), 1});
