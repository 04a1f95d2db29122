// The Disk Cost dialog beside a network drive that stops answering, as an
// offline share does. Run by stalled_drive.sh, which maps the drive to a
// file system whose free-space query waits until a release file exists.
// The program loads Kelvra.dll itself, as a setup driver does, so that it
// can also free the library while the drive is still silent.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "kit/scoped_handle.h"
#include "include/kelvra.h"
#include "resdll/kelvrares_ids.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/setup_test.h"

namespace {

using test::Ui;

constexpr int kTotalColumn = 1;
// Far beyond the dialog's deadline, far below the share's own stall.
constexpr DWORD kPatienceMs = 8000;

// The size column of the drive's row; empty while it has no row.
std::wstring TotalOf(HWND dialog, const std::wstring& drive) {
  HWND list = GetDlgItem(dialog, IDC_DRIVE_LIST);
  const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < rows; ++row)
    if (test::ListCellText(list, row, 0) == drive)
      return test::ListCellText(list, row, kTotalColumn);
  return L"";
}

bool Unloaded() {
  return GetModuleHandleW(L"Kelvra.dll") == nullptr;
}

class StalledDriveTest : public test::SetupTest {
 protected:
  void SetUp() override {
    test::SetupTest::SetUp();
    const wchar_t* drive = _wgetenv(L"KELVRA_STALLED_DRIVE");
    ASSERT_NE(drive, nullptr) << L"run through tests/win/stalled/stalled_drive.sh";
    drive_ = drive;
    // Wine's server asks a file system for its kind once, when it first
    // opens a file there, and every process waits while it does. Windows has
    // no such step, so the share is opened while it still answers and held.
    Release();
    held_.reset(CreateFileW((drive_ + L"\\").c_str(), FILE_LIST_DIRECTORY,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    ASSERT_TRUE(held_) << drive_ << L" cannot be opened";
    Stall();
    ASSERT_TRUE(WaitFor(Unloaded)) << L"a worker of an earlier test still holds the library";
  }
  void TearDown() override {
    Release();
    test::SetupTest::TearDown();
  }

  void Stall() const { DeleteFileW(ReleaseFile().c_str()); }
  void Release() const {
    const kit::ScopedFile file(CreateFileW(ReleaseFile().c_str(), GENERIC_WRITE, 0, nullptr,
                                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_TRUE(file);
  }

  template <class Condition>
  static bool WaitFor(Condition done, DWORD timeoutMs = kPatienceMs) {
    for (DWORD waited = 0; !done() && waited < timeoutMs; waited += 20) Sleep(20);
    return done();
  }

  // Whether `window` took a message within the patience; the longest wait
  // is kept for the report.
  bool Answers(HWND window) {
    const DWORD asked = GetTickCount();
    DWORD_PTR ignored = 0;
    const bool answered =
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kPatienceMs, &ignored) != 0;
    longestAnswerMs_ = std::max(longestAnswerMs_, GetTickCount() - asked);
    return answered;
  }

  // Presses Disk Cost and returns the dialog; how long it took is kept.
  HWND OpenDiskCost(Ui& ui, HWND page) {
    const DWORD pressed = GetTickCount();
    ui.Click(page, IDC_DISK_COST);
    HWND dialog = ui.WaitForDialog(page, kPatienceMs);
    shownAfterMs_ = GetTickCount() - pressed;
    return dialog;
  }

  static std::wstring ReleaseFile() { return test::ProgramFolder() + L"\\stalled-drive.release"; }

  std::wstring drive_;
  kit::ScopedFile held_;
  DWORD shownAfterMs_ = 0;
  DWORD longestAnswerMs_ = 0;
};

// The dialog opens at once and lists the silent drive as not answering;
// the page and the dialog answer all along; when the share comes back its
// row fills in, and the next opening has it from the start.
TEST_F(StalledDriveTest, TheDialogOpensAtOnceAndFillsInWhenTheDriveAnswers) {
  const kit::ScopedModule library(LoadLibraryW((test::ProgramFolder() + L"\\Kelvra.dll").c_str()));
  ASSERT_TRUE(library);
  KelvraPageFunction page = GetKelvraPage(library.get(), "InstallDestinationDlg");
  ASSERT_NE(page, nullptr);
  const std::wstring notAnswering = test::ResourceLibraryString(IDS_DRIVE_NOT_ANSWERING);
  std::wstring later;
  const int result = test::OpenPage(
      [page] { return page(); },
      [&](Ui& ui, HWND shown) {
        HWND dialog = OpenDiskCost(ui, shown);
        ASSERT_NE(dialog, nullptr) << L"no dialog while the drive is silent";
        std::wprintf(L"dialog shown %lu ms after Disk Cost\n", shownAfterMs_);
        const auto silent = [&] {
          return Answers(shown) && Answers(dialog) && TotalOf(dialog, drive_) == notAnswering;
        };
        EXPECT_TRUE(WaitFor(silent)) << drive_ << L" is not listed as not answering";
        EXPECT_TRUE(Answers(shown) && Answers(dialog)) << L"the page stopped answering";

        Release();
        const auto measured = [&] {
          const std::wstring total = TotalOf(dialog, drive_);
          return !total.empty() && total != notAnswering;
        };
        EXPECT_TRUE(WaitFor(measured))
            << L"the open dialog did not fill in the drive that answered";
        ui.Click(dialog, IDOK);
        ASSERT_TRUE(ui.WaitUntilClosed(dialog));

        dialog = OpenDiskCost(ui, shown);
        ASSERT_NE(dialog, nullptr);
        later = TotalOf(dialog, drive_);
        ui.Click(dialog, IDOK);
        ASSERT_TRUE(ui.WaitUntilClosed(dialog));
        ui.Click(shown, IDC_BACK);
      });
  std::wprintf(L"longest answer of the page or the dialog: %lu ms\n", longestAnswerMs_);
  EXPECT_EQ(result, KELVRA_BACK);
  EXPECT_FALSE(later.empty());
  EXPECT_NE(later, notAnswering) << L"the late answer counts from the next opening on";
}

// A driver that frees the library after its last page, while a drive is
// still silent: the library stays until the worker wakes, then goes, and the
// process lives on.
TEST_F(StalledDriveTest, FreeingTheLibraryWhileADriveIsSilentIsSafe) {
  DWORD nextTookMs = 0;
  {
    const kit::ScopedModule library(
        LoadLibraryW((test::ProgramFolder() + L"\\Kelvra.dll").c_str()));
    ASSERT_TRUE(library);
    KelvraPageFunction page = GetKelvraPage(library.get(), "InstallDestinationDlg");
    ASSERT_NE(page, nullptr);
    DWORD pressed = 0;
    const int result = test::OpenPage([page] { return page(); },
                                      [&](Ui& ui, HWND shown) {
                                        HWND dialog = OpenDiskCost(ui, shown);
                                        ASSERT_NE(dialog, nullptr);
                                        ui.Click(dialog, IDOK);
                                        ASSERT_TRUE(ui.WaitUntilClosed(dialog));
                                        pressed = GetTickCount();
                                        ui.Click(shown, IDC_NEXT);
                                      });
    nextTookMs = GetTickCount() - pressed;
    EXPECT_EQ(result, KELVRA_NEXT);
  }
  std::wprintf(L"export returned %lu ms after Next, the drive still silent\n", nextTookMs);
  EXPECT_FALSE(Unloaded()) << L"no worker kept the library while the drive was silent";
  Release();
  EXPECT_TRUE(WaitFor(Unloaded)) << L"the worker did not leave once the drive answered";
}

}  // namespace
