// The install destination page, driven through its real export, and through
// this program's own copy where the page object itself is looked at.
#include <gtest/gtest.h>

#include <optional>

#include "framework/folder_path.h"
#include "framework/page_entry.h"
#include "framework/text_compare.h"
#include "kit/text_format.h"
#include "pages/destination/install_destination.h"
#include "pages/server/disk_cost_data.h"
#include "tests/win/support/folder_picker.h"
#include "resdll/kelvrares_ids.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/page_kit.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/setup_test.h"

#include <shlwapi.h>

namespace {

using test::Ui;

constexpr int kEdit = IDC_DESTINATION;

const std::string kLumoKey = std::string(test::kOptionsKey) + "\\Lumo";
const std::string kQuillmakerKey = std::string(test::kOptionsKey) + "\\Quillmaker";

int ShowPage() {
  return test::CallExport("InstallDestinationDlg");
}

struct PageSeen {
  std::string caption;
  std::string edit;
  std::string productText;
};

class InstallDestinationTest : public test::SetupTest {
 protected:
  void SetUp() override {
    SetupTest::SetUp();
    WriteDriverIni(
        "[LUMO]\r\nPRODUCT_NAME=Lumo 11 Viewer\r\n"
        "[QUILLMAKER]\r\nPRODUCT_NAME=Quillmaker 11 Designer\r\n");
    WriteOptionsIni("[QUILLMAKER]\r\nPRODUCT_NAME=Quillmaker\r\n[LUMO]\r\nPRODUCT_NAME=Lumo\r\n");
  }

  static void SetActive(const std::string& active) {
    test::RegSetString(test::kOptionsKey, "active", active);
  }

  // Shows the page, reads it, optionally types into the edit, presses `button`.
  static PageSeen Visit(int button, int* result = nullptr,
                        const std::optional<std::string>& typed = std::nullopt) {
    PageSeen seen;
    const int code = test::Drive(ShowPage, [&](Ui& ui) {
      HWND page = ui.WaitForDialog();
      char caption[256] = "";
      GetWindowTextA(page, caption, sizeof caption);
      seen = {caption, ui.Text(page, kEdit), ui.Text(page, IDC_PRODUCT_TEXT)};
      if (typed) ui.SetText(page, kEdit, *typed);
      ui.Click(page, button);
    });
    if (result) *result = code;
    return seen;
  }

  static std::string ProductText(const std::string& name) {
    return kit::FormatStrings(test::ResourceLibraryString(IDS_PRODUCT_TEXT), {name, name});
  }
};

TEST_F(InstallDestinationTest, MixedCaseActiveSelectsQuillmaker) {
  SetActive("QuillMaker");
  int result = 0;
  const PageSeen seen = Visit(IDC_NEXT, &result);
  EXPECT_EQ(seen.caption, "Quillmaker 11 Designer");
  EXPECT_EQ(seen.edit, "\\" + test::ResourceLibraryString(IDS_QUILLMAKER_FOLDER) + "\\");
  EXPECT_EQ(seen.productText, ProductText("Quillmaker"));
  EXPECT_EQ(result, KELVRA_NEXT);
  EXPECT_EQ(test::RegGetString(kQuillmakerKey, "TARGETDIR"), seen.edit);
  EXPECT_FALSE(test::RegKeyExists(kLumoKey));
}

TEST_F(InstallDestinationTest, WithoutActiveTheLumoDefaultsApply) {
  const PageSeen seen = Visit(IDC_NEXT);
  EXPECT_EQ(seen.caption, "Lumo 11 Viewer") << "caption from section LUMO";
  EXPECT_EQ(seen.productText, ProductText("")) << "no section, no name";
  EXPECT_EQ(test::RegGetString(kLumoKey, "TARGETDIR"),
            "\\" + test::ResourceLibraryString(IDS_LUMO_FOLDER) + "\\");
}

TEST_F(InstallDestinationTest, DefaultFolderIsTheStoredOneUnlessCancelled) {
  SetActive("lumo");
  test::RegSetString(kLumoKey, "TARGETDIR", "E:\\Tools\\Viewer");
  test::RegSetDword(kLumoKey, "_CANCELED", 0);
  test::RegSetString(test::kInstallProductKey, "TARGETDIR", "D:\\Programs\\Suite\\");
  EXPECT_EQ(Visit(IDC_BACK).edit, "E:\\Tools\\Viewer") << "shown exactly as stored";

  test::RegSetDword(kLumoKey, "_CANCELED", 1);
  EXPECT_EQ(Visit(IDC_BACK).edit,
            "D:\\Programs\\Suite\\" + test::ResourceLibraryString(IDS_LUMO_FOLDER) + "\\");

  test::RegSetString(test::kInstallProductKey, "TARGETDIR", "D:\\");
  EXPECT_EQ(Visit(IDC_BACK).edit, "D:\\" + test::ResourceLibraryString(IDS_LUMO_FOLDER) + "\\")
      << "a drive root gives no doubled backslash";
}

TEST_F(InstallDestinationTest, NextStoresTheFolderWithOneTrailingBackslash) {
  const struct {
    const char* typed;
    const char* stored;
  } cases[] = {
      {"D:\\Apps\\Lumo 11\\", "D:\\Apps\\Lumo 11\\"},
      {"D:\\Apps\\Lumo 11", "D:\\Apps\\Lumo 11\\"},
      {"D:\\Apps\\Lumo 11\\\\", "D:\\Apps\\Lumo 11\\"},
      {"", "\\"},
      {"D:\\", "D:\\"},
      {"relative\\folder", "relative\\folder\\"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    ClearSetupTree();
    int result = 0;
    Visit(IDC_NEXT, &result, std::string(c.typed));
    EXPECT_EQ(result, KELVRA_NEXT);
    EXPECT_EQ(test::RegGetString(kLumoKey, "TARGETDIR"), std::string(c.stored));
    EXPECT_EQ(test::RegGetDword(kLumoKey, "_CANCELED"), 0u);
  }

  test::RegSetDword(kLumoKey, "_CANCELED", 1);
  Visit(IDC_NEXT);
  EXPECT_EQ(test::RegGetDword(kLumoKey, "_CANCELED"), 0u) << "Next clears the marker";
}

// The picker for real, on this program's own copy of the page.
class InstallDestinationBrowseTest : public InstallDestinationTest {
 protected:
  void SetUp() override {
    InstallDestinationTest::SetUp();
    base_ = "C:\\kelvra_install_" + std::to_string(GetCurrentProcessId());
    // A sibling, not a child: Wine's picker at times drops a move into a
    // folder it has only just expanded.
    work_ = "C:\\kelvra_work_" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(base_.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(work_.c_str(), nullptr));
    test::RegSetString(test::kInstallProductKey, "TARGETDIR", base_ + "\\");
  }
  void TearDown() override {
    RemoveDirectoryA(work_.c_str());
    RemoveDirectoryA(base_.c_str());
    InstallDestinationTest::TearDown();
  }

  std::string base_, work_;
};

TEST_F(InstallDestinationBrowseTest, PickerStartsFromTheInstallFolderAndFillsTheEdit) {
  CInstallDestination page;
  std::string preselected, edit;
  bool picked = false;
  test::Drive([&] { return RunPageModal(page); },
              [&](Ui& ui) {
                HWND window = ui.WaitForDialog();
                ui.SetText(window, kEdit, "C:\\typed\\elsewhere");
                ui.Click(window, IDC_BROWSE);
                HWND picker = ui.WaitForDialog(window);
                ASSERT_NE(picker, nullptr);
                // Wine's picker now and then drops the selection it is given
                // as it opens; the user closes it and tries once more.
                const std::string baseName = base_.substr(3);
                for (int attempt = 0; attempt < 3; ++attempt) {
                  if (test::WaitForPickerSelection(picker, baseName)) {
                    preselected = baseName;
                    break;
                  }
                  ui.Click(picker, IDCANCEL);
                  ui.WaitUntilClosed(picker);
                  ui.Click(window, IDC_BROWSE);
                  picker = ui.WaitForDialog(window);
                }
                picked = test::SelectInPicker(picker, work_, work_.substr(3));
                ui.Click(picker, IDOK);
                ui.WaitUntilClosed(picker);
                edit = ui.Text(window, kEdit);
                ui.Click(window, IDC_BACK);
              });
  EXPECT_EQ(preselected, base_.substr(3)) << "the picker opens on the install folder, not the edit";
  ASSERT_TRUE(picked);
  EXPECT_EQ(edit, work_ + "\\" + test::ResourceLibraryString(IDS_LUMO_FOLDER) + "\\");
  EXPECT_EQ(page.InstallDir(), work_ + "\\");
}

TEST_F(InstallDestinationBrowseTest, CancellingThePickerKeepsWhatWasTyped) {
  std::string edit;
  test::Drive(ShowPage, [&](Ui& ui) {
    HWND window = ui.WaitForDialog();
    ui.SetText(window, kEdit, "C:\\typed\\by hand");
    ui.Click(window, IDC_BROWSE);
    HWND picker = ui.WaitForDialog(window);
    ui.Click(picker, IDCANCEL);
    ui.WaitUntilClosed(picker);
    edit = ui.Text(window, kEdit);
    ui.Click(window, IDC_BACK);
  });
  EXPECT_EQ(edit, "C:\\typed\\by hand");
}

TEST_F(InstallDestinationTest, DiskCostUsesTheActiveSectionAndTheEditsDrive) {
  WriteDriverIni(
      "[LUMO]\r\nDISKCOST_OS_PRODUCT=10;20\r\n[lookglass]\r\nDISKCOST_OS_PRODUCT=30;40\r\n");
  const auto pressDiskCost = [](const std::string& folder) {
    CInstallDestination page;
    test::Drive([&] { return RunPageModal(page); },
                [&](Ui& ui) {
                  HWND window = ui.WaitForDialog();
                  ui.SetText(window, kEdit, folder);
                  ui.Click(window, IDC_DISK_COST);
                  HWND dialog = ui.WaitForDialog(window);
                  ui.Click(dialog, IDOK);
                  ui.WaitUntilClosed(dialog);
                  ui.Click(window, IDC_BACK);
                });
    return kelvra::GetDiskCostData().requirements;
  };

  auto requirements = pressDiskCost("e:\\Apps");
  ASSERT_EQ(requirements.size(), 2u);
  EXPECT_EQ(requirements[0].required, 10 * 1048576LL) << "section LUMO without \"active\"";
  EXPECT_EQ(requirements[1].name, "e:");
  EXPECT_EQ(requirements[1].required, 20 * 1048576LL);

  SetActive("lookglass");
  requirements = pressDiskCost("Q:\\Apps");
  ASSERT_EQ(requirements.size(), 2u);
  EXPECT_EQ(requirements[0].required, 30 * 1048576LL);
  EXPECT_EQ(requirements[1].name, "Q:");
  EXPECT_EQ(requirements[1].required, 40 * 1048576LL);
}

// The folder clean-up agrees with the shell's own PathRemoveBackslashA, in
// the process's code page: under 932 the last four hold a character whose
// second byte is 0x5C.
TEST(FolderCleanUp, RemovesABackslashAsTheShellDoes) {
  // clang-format off
  const char* paths[] = {"C:\\",  "C:",          "C:\\dir\\",           "C:\\dir",      "\\",
                         "",      "C:\\dir\\\\", "\\\\server\\share\\", "\\\\server\\", "\\\\",
                         "dir\\", "d:\\",        "C:\\a\\b\\c\\",       "1:\\",
                         "D:\\\x83\x5C",  "E:\\\x95\x5C\\", "\\\\\x83\x5C\\", "E:\\a\\\x95\x5C"};
  // clang-format on
  for (const char* path : paths) {
    SCOPED_TRACE(path);
    char shell[MAX_PATH];
    lstrcpyA(shell, path);
    PathRemoveBackslashA(shell);
    EXPECT_EQ(kelvra::RemoveTrailingBackslash(path, kelvra::IsAnsiLeadByte), std::string(shell));
  }
}

}  // namespace

KELVRA_SHARED_PAGE_RULES(InstallDestination,
                         {"InstallDestinationDlg", test::kOptionsKey + std::string("\\Lookglass"),
                          0, [] { test::RegSetString(test::kOptionsKey, "active", "lookglass"); }});
