// The MSDE destination page: the two folders, the box that makes the data
// folder follow the program folder, what Next stores and when it refuses.
#include <gtest/gtest.h>

#include <optional>

#include "framework/page_entry.h"
#include "pages/server/disk_cost_data.h"
#include "pages/server/msde_destination.h"
#include "resdll/kelvrares_ids.h"
#include "tests/win/support/folder_picker.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/page_kit.h"

namespace {

using test::Ui;

const std::string kCofraServerKey = std::string(test::kOptionsKey) + "\\CofraServer";
const std::string kNervaServerKey = std::string(test::kOptionsKey) + "\\NervaServer";
const char kMachineKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
const char kEngine[] = "Microsoft SQL Server\\";

struct PageSeen {
  std::string caption, program, data;
  bool ticked = false, dataEnabled = false, dataBrowseEnabled = false;
};

PageSeen Look(Ui& ui, HWND page) {
  char caption[256] = "";
  GetWindowTextA(page, caption, sizeof caption);
  return {caption,
          ui.Text(page, IDC_DESTINATION),
          ui.Text(page, IDC_DATA_FOLDER),
          ui.IsChecked(page, IDC_DATA_FOLLOWS_PROGRAM),
          IsWindowEnabled(GetDlgItem(page, IDC_DATA_FOLDER)) != FALSE,
          IsWindowEnabled(GetDlgItem(page, IDC_BROWSE_DATA_FOLDER)) != FALSE};
}

// Keystrokes at the end of an edit's text, one at a time, as the keyboard sends them.
void Type(HWND page, int edit, const std::string& text, const std::function<void()>& after) {
  HWND control = GetDlgItem(page, edit);
  const int end = GetWindowTextLengthA(control);
  SendMessageA(control, EM_SETSEL, end, end);
  for (char c : text) {
    SendMessageA(control, WM_CHAR, static_cast<unsigned char>(c), 1);
    after();
  }
}

class MsdeDestinationTest : public test::SetupTest {
 protected:
  void SetUp() override {
    SetupTest::SetUp();
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kMachineKey, 0, KEY_READ | KEY_WRITE, &key), 0);
    char value[MAX_PATH] = "";
    DWORD size = sizeof value;
    if (RegQueryValueExA(key, "ProgramFilesDir", nullptr, nullptr, reinterpret_cast<BYTE*>(value),
                         &size) == 0)
      savedProgramFiles_ = value;
    RegCloseKey(key);
    SetProgramFiles("C:\\Program Files");
    test::RegSetString(test::kOptionsKey, "active", "CofraServer");
    WriteDriverIni(
        "[COFRASERVER]\r\nPRODUCT_NAME=Cofra Server 11\r\nDISKCOST_OS_PRODUCT=30;40\r\n"
        "[NERVASERVER]\r\nPRODUCT_NAME=Nerva Server 11\r\nDISKCOST_OS_PRODUCT=10;20\r\n");
  }
  void TearDown() override {
    if (savedProgramFiles_) SetProgramFiles(*savedProgramFiles_);
    SetupTest::TearDown();
  }

  static void SetProgramFiles(const std::string& folder) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kMachineKey, 0, KEY_WRITE, &key), 0);
    RegSetValueExA(key, "ProgramFilesDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                   static_cast<DWORD>(folder.size() + 1));
    RegCloseKey(key);
  }

  // Opens the page, looks, runs `act`, presses Next; returns the result.
  static int Visit(PageSeen* seen, const std::function<void(Ui&, HWND)>& act = nullptr) {
    return test::OpenPage("MsdeDestinationDlg", [&](Ui& ui, HWND page) {
      if (seen) *seen = Look(ui, page);
      if (act) act(ui, page);
      ui.Click(page, IDC_NEXT);
    });
  }

  static void ExpectStored(const std::string& key, const std::string& program,
                           const std::string& data, DWORD useDefault) {
    EXPECT_EQ(test::RegGetString(key, "_MSDEPATH"), program);
    EXPECT_EQ(test::RegGetString(key, "_DATADIR"), data);
    EXPECT_EQ(test::RegGetDword(key, "_USEDEFAULTDATADIR"), useDefault);
  }

 private:
  std::optional<std::string> savedProgramFiles_;
};

TEST_F(MsdeDestinationTest, FirstRunProposesTheEngineBelowProgramFiles) {
  const struct {
    const char* programFiles;
    std::string shown;
  } cases[] = {
      {"C:\\Program Files", std::string("C:\\Program Files\\") + kEngine},
      {"E:\\Apps\\", std::string("E:\\Apps\\") + kEngine},
      {"D:\\", std::string("D:\\") + kEngine},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.programFiles);
    ClearSetupTree();
    test::RegSetString(test::kOptionsKey, "active", "cofraserver");
    SetProgramFiles(c.programFiles);
    PageSeen seen;
    EXPECT_EQ(Visit(&seen), 1);
    EXPECT_EQ(seen.caption, "Cofra Server 11 " + test::ResourceLibraryString(IDS_CAPTION_SUFFIX));
    EXPECT_EQ(seen.program, c.shown);
    EXPECT_EQ(seen.data, c.shown);
    EXPECT_TRUE(seen.ticked);
    EXPECT_FALSE(seen.dataEnabled);
    EXPECT_FALSE(seen.dataBrowseEnabled);
    ExpectStored(kCofraServerKey, c.shown, c.shown, 1);
    EXPECT_EQ(test::RegGetDword(kCofraServerKey, "_CANCELED"), std::nullopt);
  }
}

TEST_F(MsdeDestinationTest, TickedBoxMakesTheDataFolderFollowEveryKeystroke) {
  std::string mismatch;
  Visit(nullptr, [&](Ui& ui, HWND page) {
    ui.SetText(page, IDC_DESTINATION, "");
    Type(page, IDC_DESTINATION, "F:\\Sql", [&] {
      if (ui.Text(page, IDC_DATA_FOLDER) != ui.Text(page, IDC_DESTINATION))
        mismatch += ui.Text(page, IDC_DATA_FOLDER) + "|";
    });
  });
  EXPECT_EQ(mismatch, "");
  ExpectStored(kCofraServerKey, "F:\\Sql\\", "F:\\Sql\\", 1);
}

TEST_F(MsdeDestinationTest, ClearingTheBoxFreesTheDataFolderAndTickingCopiesIt) {
  PageSeen cleared, typed, ticked;
  Visit(nullptr, [&](Ui& ui, HWND page) {
    ui.Click(page, IDC_DATA_FOLLOWS_PROGRAM);
    cleared = Look(ui, page);
    Type(page, IDC_DESTINATION, "X", [] {});
    ui.SetText(page, IDC_DATA_FOLDER, "G:\\Data");
    typed = Look(ui, page);
    ui.Click(page, IDC_DATA_FOLLOWS_PROGRAM);
    ticked = Look(ui, page);
    ui.Click(page, IDC_DATA_FOLLOWS_PROGRAM);
    ui.SetText(page, IDC_DATA_FOLDER, "G:\\Data\\");
  });
  const std::string program = std::string("C:\\Program Files\\") + kEngine;
  EXPECT_FALSE(cleared.ticked);
  EXPECT_EQ(cleared.data, program) << "the data folder keeps its text";
  EXPECT_TRUE(cleared.dataEnabled);
  EXPECT_TRUE(cleared.dataBrowseEnabled);
  EXPECT_EQ(typed.program, program + "X");
  EXPECT_EQ(typed.data, "G:\\Data") << "no longer follows";
  EXPECT_TRUE(ticked.ticked);
  EXPECT_EQ(ticked.data, program + "X") << "ticking copies the program folder";
  EXPECT_FALSE(ticked.dataEnabled);
  EXPECT_FALSE(ticked.dataBrowseEnabled);
  ExpectStored(kCofraServerKey, program + "X\\", "G:\\Data\\", 0);
}

TEST_F(MsdeDestinationTest, StoredFoldersCountOnlyAsAPairAndNotAfterCancel) {
  const std::string def = std::string("C:\\Program Files\\") + kEngine;
  struct Case {
    const char* name;
    const char* program;  // null: not stored
    const char* data;
    std::optional<DWORD> useDefault;
    std::optional<DWORD> canceled;
    std::string shownProgram, shownData;
    bool ticked;
  };
  const Case cases[] = {
      {"both stored, box clear", "E:\\Sql\\", "F:\\Data\\", 0, 0, "E:\\Sql\\", "F:\\Data\\", false},
      {"choice never stored", "E:\\Sql\\", "F:\\Data\\", {}, {}, "E:\\Sql\\", "F:\\Data\\", true},
      {"no data folder", "E:\\Sql\\", nullptr, 0, 0, def, def, false},
      {"empty data folder", "E:\\Sql\\", "", 1, 0, def, def, true},
      {"last visit cancelled", "E:\\Sql\\", "F:\\Data\\", 0, 1, def, def, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClearSetupTree();
    if (c.program) test::RegSetString(kCofraServerKey, "_MSDEPATH", c.program);
    if (c.data) test::RegSetString(kCofraServerKey, "_DATADIR", c.data);
    if (c.useDefault) test::RegSetDword(kCofraServerKey, "_USEDEFAULTDATADIR", *c.useDefault);
    if (c.canceled) test::RegSetDword(kCofraServerKey, "_CANCELED", *c.canceled);
    PageSeen seen;
    Visit(&seen);
    EXPECT_EQ(seen.program, c.shownProgram);
    EXPECT_EQ(seen.data, c.shownData);
    EXPECT_EQ(seen.ticked, c.ticked);
    EXPECT_EQ(seen.dataEnabled, !c.ticked);
    EXPECT_EQ(test::RegGetDword(kCofraServerKey, "_CANCELED"), c.canceled)
        << "Next leaves the marker";
  }
}

TEST_F(MsdeDestinationTest, NextStoresEachFolderWithExactlyOneTrailingBackslash) {
  const struct {
    const char* typed;
    const char* stored;
  } cases[] = {
      {"E:\\Sql", "E:\\Sql\\"},
      {"E:\\Sql\\", "E:\\Sql\\"},
      {"E:\\Sql\\\\\\", "E:\\Sql\\"},
      {"D:\\", "D:\\"},
      {"D:", "D:\\"},
      {"\\", "\\"},
      {"relative", "relative\\"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    ClearSetupTree();
    Visit(nullptr, [&](Ui& ui, HWND page) {
      ui.Click(page, IDC_DATA_FOLLOWS_PROGRAM);
      ui.SetText(page, IDC_DESTINATION, c.typed);
      ui.SetText(page, IDC_DATA_FOLDER, c.typed);
    });
    ExpectStored(kCofraServerKey, c.stored, c.stored, 0);
  }
}

TEST_F(MsdeDestinationTest, NervaServerInAnyCaseWorksOnItsOwnKey) {
  const struct {
    const char* active;
    const std::string* key;
    const char* name;
  } cases[] = {
      {"nErVaSeRvEr", &kNervaServerKey, "Nerva Server 11"},
      {"COFRASERVER", &kCofraServerKey, "Cofra Server 11"},
      {"nervaclient", &kCofraServerKey, ""},
      {"", &kCofraServerKey, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.active);
    ClearSetupTree();
    test::RegSetString(test::kOptionsKey, "active", c.active);
    const std::string& other = c.key == &kCofraServerKey ? kNervaServerKey : kCofraServerKey;
    test::RegSetString(*c.key, "_MSDEPATH", "E:\\Mine\\");
    test::RegSetString(*c.key, "_DATADIR", "E:\\Mine\\");
    test::RegSetString(other, "_MSDEPATH", "E:\\Other\\");
    test::RegSetString(other, "_DATADIR", "E:\\Other\\");
    PageSeen seen;
    Visit(&seen, [](Ui& ui, HWND page) { ui.SetText(page, IDC_DESTINATION, "F:\\New"); });
    EXPECT_EQ(seen.caption,
              std::string(c.name) + " " + test::ResourceLibraryString(IDS_CAPTION_SUFFIX));
    EXPECT_EQ(seen.program, "E:\\Mine\\");
    EXPECT_EQ(test::RegGetString(*c.key, "_MSDEPATH"), "F:\\New\\");
    EXPECT_EQ(test::RegGetString(other, "_MSDEPATH"), "E:\\Other\\");
  }
}

BOOL CALLBACK FindIcon(HWND child, LPARAM out) {
  if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) return TRUE;
  *reinterpret_cast<HICON*>(out) = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
  return FALSE;
}

// The icon a message box shows, if any.
HICON BoxIcon(HWND box) {
  HICON icon = nullptr;
  EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&icon));
  return icon;
}

TEST_F(MsdeDestinationTest, EmptyFolderIsRefusedWithAMessageAndThePageStays) {
  const struct {
    const char* program;
    const char* data;
    UINT message;
  } cases[] = {
      {"", "G:\\Data", IDS_NO_PROGRAM_FOLDER},
      {"", "", IDS_NO_PROGRAM_FOLDER},
      {"E:\\Sql", "", IDS_NO_DATA_FOLDER},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    ClearSetupTree();
    test::MessageBoxSeen box;
    HICON icon = nullptr;
    HWND owner = nullptr;
    bool pageEnabled = true, pageStayed = false;
    const int result = test::OpenPage("MsdeDestinationDlg", [&](Ui& ui, HWND page) {
      ui.Click(page, IDC_DATA_FOLLOWS_PROGRAM);
      ui.SetText(page, IDC_DESTINATION, c.program);
      ui.SetText(page, IDC_DATA_FOLDER, c.data);
      ui.Click(page, IDC_NEXT);
      box = ui.WaitForMessageBox();
      if (!box.window) return;
      icon = BoxIcon(box.window);
      owner = GetWindow(box.window, GW_OWNER);
      pageEnabled = IsWindowEnabled(page) != FALSE;
      ui.Answer(box, IDOK);
      pageStayed = IsWindow(page) && ui.Text(page, IDC_DESTINATION) == c.program;
      ui.Click(page, IDC_BACK);
    });
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, test::ResourceLibraryString(c.message));
    EXPECT_EQ(box.caption, test::ResourceLibraryString(IDS_ENGINE_FOLDER_CAPTION));
    EXPECT_EQ(icon, LoadIcon(nullptr, IDI_INFORMATION));
    EXPECT_NE(owner, nullptr);
    EXPECT_FALSE(pageEnabled) << "the message is the page's own";
    EXPECT_TRUE(pageStayed);
    EXPECT_EQ(result, IDC_BACK);
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

// Browse for the program folder; the data folder, ticked, follows the pick.
TEST_F(MsdeDestinationTest, PickedProgramFolderGetsOneBackslashAndIsFollowed) {
  const std::string folder = "C:\\kelvra_engine_" + std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  PageSeen seen;
  bool picked = false;
  test::OpenPage("MsdeDestinationDlg", [&](Ui& ui, HWND page) {
    ui.Click(page, IDC_BROWSE);
    HWND picker = ui.WaitForDialog(page);
    ASSERT_NE(picker, nullptr);
    picked = test::SelectInPicker(picker, folder, folder.substr(3));
    ui.Click(picker, picked ? IDOK : IDCANCEL);
    ui.WaitUntilClosed(picker);
    seen = Look(ui, page);
    ui.Click(page, IDC_BACK);
  });
  RemoveDirectoryA(folder.c_str());
  ASSERT_TRUE(picked);
  EXPECT_EQ(seen.program, folder + "\\");
  EXPECT_EQ(seen.data, folder + "\\");
}

}  // namespace

KELVRA_SHARED_PAGE_RULES(MsdeDestination, {"MsdeDestinationDlg",
                                           test::kOptionsKey + std::string("\\CofraServer"), 1});
