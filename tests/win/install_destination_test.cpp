// The install destination page, driven through its real export, and through
// this program's own copy where the page object itself is looked at.
#include <gtest/gtest.h>

#include <optional>

#include "framework/folder_path.h"
#include "framework/page_entry.h"
#include "framework/text_compare.h"
#include "kit/text_format.h"
#include "pages/destination/install_destination.h"
#include "pages/disk_cost/disk_cost_data.h"
#include "tests/win/support/folder_picker.h"
#include "resdll/kelvrares_ids.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/setup_test.h"

#include <shlwapi.h>

namespace {

using test::Ui;

constexpr int kEdit = IDC_DESTINATION;

const std::wstring kQuillmakerKey = std::wstring(test::kOptionsKey) + L"\\Quillmaker";

struct PageSeen {
  std::wstring caption;
  std::wstring edit;
  std::wstring productText;
};

class InstallDestinationTest : public test::SetupTest {
 protected:
  void SetUp() override {
    SetupTest::SetUp();
    WriteDriverIni(
        L"[LUMO]\r\nPRODUCT_NAME=Lumo 11 Viewer\r\n"
        L"[QUILLMAKER]\r\nPRODUCT_NAME=Quillmaker 11 Designer\r\n");
    WriteOptionsIni(L"[QUILLMAKER]\r\nPRODUCT_NAME=Quillmaker\r\n[LUMO]\r\nPRODUCT_NAME=Lumo\r\n");
  }

  static void SetActive(const std::wstring& active) {
    test::RegSetString(test::kOptionsKey, L"active", active);
  }

  // Shows the page, reads it, optionally types into the edit, presses `button`.
  static PageSeen Visit(int button, int* result = nullptr,
                        const std::optional<std::wstring>& typed = std::nullopt) {
    PageSeen seen;
    const int code = test::OpenPage(L"InstallDestinationDlg", [&](Ui& ui, HWND page) {
      seen = {test::WindowText(page), ui.Text(page, kEdit), ui.Text(page, IDC_PRODUCT_TEXT)};
      if (typed) ui.SetText(page, kEdit, *typed);
      ui.Click(page, button);
    });
    if (result) *result = code;
    return seen;
  }

  static std::wstring ProductText(const std::wstring& name) {
    return kit::FormatStrings(test::ResourceLibraryString(IDS_PRODUCT_TEXT), {name, name});
  }
};

TEST_F(InstallDestinationTest, MixedCaseActiveSelectsQuillmaker) {
  SetActive(L"QuillMaker");
  int result = 0;
  const PageSeen seen = Visit(IDC_NEXT, &result);
  EXPECT_EQ(seen.caption, L"Quillmaker 11 Designer");
  EXPECT_EQ(seen.edit, L"\\" + test::ResourceLibraryString(IDS_QUILLMAKER_FOLDER) + L"\\");
  EXPECT_EQ(seen.productText, ProductText(L"Quillmaker"));
  EXPECT_EQ(result, KELVRA_NEXT);
  EXPECT_EQ(test::RegGetString(kQuillmakerKey, L"TARGETDIR"), seen.edit);
  EXPECT_FALSE(test::RegKeyExists(test::kLumoKey));
}

TEST_F(InstallDestinationTest, WithoutActiveTheLumoDefaultsApply) {
  const PageSeen seen = Visit(IDC_NEXT);
  EXPECT_EQ(seen.caption, L"Lumo 11 Viewer") << L"caption from section LUMO";
  EXPECT_EQ(seen.productText, ProductText(L"")) << L"no section, no name";
  EXPECT_EQ(test::RegGetString(test::kLumoKey, L"TARGETDIR"),
            L"\\" + test::ResourceLibraryString(IDS_LUMO_FOLDER) + L"\\");
}

TEST_F(InstallDestinationTest, DefaultFolderIsTheStoredOneUnlessCancelled) {
  SetActive(L"lumo");
  test::RegSetString(test::kLumoKey, L"TARGETDIR", L"E:\\Tools\\Viewer");
  test::RegSetDword(test::kLumoKey, L"_CANCELED", 0);
  test::RegSetString(test::kInstallProductKey, L"TARGETDIR", L"D:\\Programs\\Suite\\");
  EXPECT_EQ(Visit(IDC_BACK).edit, L"E:\\Tools\\Viewer") << L"shown exactly as stored";

  test::RegSetDword(test::kLumoKey, L"_CANCELED", 1);
  EXPECT_EQ(Visit(IDC_BACK).edit,
            L"D:\\Programs\\Suite\\" + test::ResourceLibraryString(IDS_LUMO_FOLDER) + L"\\");

  test::RegSetString(test::kInstallProductKey, L"TARGETDIR", L"D:\\");
  EXPECT_EQ(Visit(IDC_BACK).edit, L"D:\\" + test::ResourceLibraryString(IDS_LUMO_FOLDER) + L"\\")
      << L"a drive root gives no doubled backslash";
}

TEST_F(InstallDestinationTest, NextStoresTheFolderWithOneTrailingBackslash) {
  const struct {
    const wchar_t* typed;
    const wchar_t* stored;
  } cases[] = {
      {L"D:\\Apps\\Lumo 11\\", L"D:\\Apps\\Lumo 11\\"},
      {L"D:\\Apps\\Lumo 11", L"D:\\Apps\\Lumo 11\\"},
      {L"D:\\Apps\\Lumo 11\\\\", L"D:\\Apps\\Lumo 11\\"},
      {L"", L"\\"},
      {L"D:\\", L"D:\\"},
      {L"relative\\folder", L"relative\\folder\\"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    ClearSetupTree();
    int result = 0;
    Visit(IDC_NEXT, &result, std::wstring(c.typed));
    EXPECT_EQ(result, KELVRA_NEXT);
    EXPECT_EQ(test::RegGetString(test::kLumoKey, L"TARGETDIR"), std::wstring(c.stored));
    EXPECT_EQ(test::RegGetDword(test::kLumoKey, L"_CANCELED"), 0u);
  }

  test::RegSetDword(test::kLumoKey, L"_CANCELED", 1);
  Visit(IDC_NEXT);
  EXPECT_EQ(test::RegGetDword(test::kLumoKey, L"_CANCELED"), 0u) << L"Next clears the marker";
}

// The picker for real, on this program's own copy of the page.
class InstallDestinationBrowseTest : public InstallDestinationTest {
 protected:
  void SetUp() override {
    InstallDestinationTest::SetUp();
    base_ = L"C:\\kelvra_install_" + std::to_wstring(GetCurrentProcessId());
    // A sibling, not a child: Wine's picker at times drops a move into a
    // folder it has only just expanded.
    work_ = L"C:\\kelvra_work_" + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(base_.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(work_.c_str(), nullptr));
    test::RegSetString(test::kInstallProductKey, L"TARGETDIR", base_ + L"\\");
  }
  void TearDown() override {
    RemoveDirectoryW(work_.c_str());
    RemoveDirectoryW(base_.c_str());
    InstallDestinationTest::TearDown();
  }

  std::wstring base_, work_;
};

TEST_F(InstallDestinationBrowseTest, PickerStartsFromTheInstallFolderAndFillsTheEdit) {
  CInstallDestination page;
  std::wstring preselected, edit;
  bool picked = false;
  test::OpenPage([&] { return RunPageModal(page); },
                 [&](Ui& ui, HWND window) {
                   ui.SetText(window, kEdit, L"C:\\typed\\elsewhere");
                   ui.Click(window, IDC_BROWSE);
                   HWND picker = ui.WaitForDialog(window);
                   ASSERT_NE(picker, nullptr);
                   // Wine's picker now and then drops the selection it is given
                   // as it opens; the user closes it and tries once more.
                   const std::wstring baseName = base_.substr(3);
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
  EXPECT_EQ(preselected, base_.substr(3))
      << L"the picker opens on the install folder, not the edit";
  ASSERT_TRUE(picked);
  EXPECT_EQ(edit, work_ + L"\\" + test::ResourceLibraryString(IDS_LUMO_FOLDER) + L"\\");
  EXPECT_EQ(page.InstallDir(), work_ + L"\\");
}

TEST_F(InstallDestinationBrowseTest, CancellingThePickerKeepsWhatWasTyped) {
  std::wstring edit;
  test::OpenPage(L"InstallDestinationDlg", [&](Ui& ui, HWND window) {
    ui.SetText(window, kEdit, L"C:\\typed\\by hand");
    ui.Click(window, IDC_BROWSE);
    HWND picker = ui.WaitForDialog(window);
    ui.Click(picker, IDCANCEL);
    ui.WaitUntilClosed(picker);
    edit = ui.Text(window, kEdit);
    ui.Click(window, IDC_BACK);
  });
  EXPECT_EQ(edit, L"C:\\typed\\by hand");
}

TEST_F(InstallDestinationTest, DiskCostUsesTheActiveSectionAndTheEditsDrive) {
  WriteDriverIni(
      L"[LUMO]\r\nDISKCOST_OS_PRODUCT=10;20\r\n[lookglass]\r\nDISKCOST_OS_PRODUCT=30;40\r\n");
  const auto pressDiskCost = [](const std::wstring& folder) {
    CInstallDestination page;
    test::OpenPage([&] { return RunPageModal(page); },
                   [&](Ui& ui, HWND window) {
                     ui.SetText(window, kEdit, folder);
                     ui.Click(window, IDC_DISK_COST);
                     HWND dialog = ui.WaitForDialog(window);
                     ui.Click(dialog, IDOK);
                     ui.WaitUntilClosed(dialog);
                     ui.Click(window, IDC_BACK);
                   });
    return kelvra::DiskCostDataSoFar().requirements;
  };

  auto requirements = pressDiskCost(L"e:\\Apps");
  ASSERT_EQ(requirements.size(), 2u);
  EXPECT_EQ(requirements[0].required, 10 * 1048576LL) << L"section LUMO without \"active\"";
  EXPECT_EQ(requirements[1].name, L"e:");
  EXPECT_EQ(requirements[1].required, 20 * 1048576LL);

  SetActive(L"lookglass");
  requirements = pressDiskCost(L"Q:\\Apps");
  ASSERT_EQ(requirements.size(), 2u);
  EXPECT_EQ(requirements[0].required, 30 * 1048576LL);
  EXPECT_EQ(requirements[1].name, L"Q:");
  EXPECT_EQ(requirements[1].required, 40 * 1048576LL);
}

// The folder clean-up agrees with the shell's own PathRemoveBackslashA, in
// the process's code page: under 932 the last four hold a character whose
// second byte is 0x5C.
TEST(FolderCleanUp, RemovesABackslashAsTheShellDoes) {
  // clang-format off
  const wchar_t* paths[] = {L"C:\\",  L"C:",          L"C:\\dir\\",           L"C:\\dir",      L"\\",
                         L"",      L"C:\\dir\\\\", L"\\\\server\\share\\", L"\\\\server\\", L"\\\\",
                         L"dir\\", L"d:\\",        L"C:\\a\\b\\c\\",       L"1:\\",
                         L"D:\\\u30BD",  L"E:\\\u8868\\", L"\\\\\u30BD\\", L"E:\\a\\\u8868"};
  // clang-format on
  for (const wchar_t* path : paths) {
    SCOPED_TRACE(path);
    wchar_t shell[MAX_PATH];
    lstrcpyW(shell, path);
    PathRemoveBackslashW(shell);
    EXPECT_EQ(kelvra::RemoveTrailingBackslash(path), std::wstring(shell));
  }
}

}  // namespace
