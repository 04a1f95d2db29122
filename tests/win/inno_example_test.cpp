// The Inno Setup example installer (examples/inno) as a user meets it:
// started as a process of its own, from its own folder, with the pages driven
// from this process. Inno's loader copies the setup into a temporary folder
// and runs it from there as a second program, KelvraSetup.tmp, which shows
// the pages: they are found in that program. Inno's own windows are kept
// out with its quiet switches; the pages are the wizard. As in the NSIS
// example's test, the real HKEY_CURRENT_USER is written, and the setup tree
// found there is kept aside and put back.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "resdll/kelvrares_ids.h"
#include "tests/win/support/installer_run.h"
#include "tests/win/support/process_watch.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/setup_test.h"

namespace {

using test::Ui;

const std::wstring kFolder = test::FullPath(test::ProgramFolder() + L"\\..\\examples\\inno");
const std::wstring kInstaller = kFolder + L"\\KelvraSetup.exe";
const std::wstring kIniFile = kFolder + L"\\KelvraSetup.ini";
const std::wstring kLogFile = kFolder + L"\\KelvraSetup.log";
const wchar_t kQuiet[] = L"/VERYSILENT /SUPPRESSMSGBOXES";
const wchar_t kSetupProgram[] = L"KelvraSetup.tmp";
const wchar_t kPayload[] = L"\\Kelvra example.txt";

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The installer, and the setup program its loader starts, which a failed
// test could leave showing a page: ended by their ids.
class InnoRun {
 public:
  InnoRun() : installer_(kInstaller, kQuiet) {}
  ~InnoRun() {
    for (DWORD id : test::ProcessesNamed(kSetupProgram)) test::EndProcess(id);
  }
  InnoRun(const InnoRun&) = delete;
  InnoRun& operator=(const InnoRun&) = delete;

  const test::InstallerProcess& Installer() const { return installer_; }
  // The thread of the setup program that shows the first page; 0 on timeout.
  DWORD PageThread(DWORD timeoutMs) const {
    for (DWORD waited = 0; waited < timeoutMs; waited += 100) {
      for (DWORD id : test::ProcessesNamed(kSetupProgram)) {
        if (const DWORD thread = test::DialogThreadOfProcess(id, 100)) return thread;
      }
      Sleep(100);
    }
    return 0;
  }

 private:
  test::InstallerProcess installer_;
};

// The INI's install folder, which the installer stores before the first page.
std::wstring InstallDir() {
  wchar_t folder[MAX_PATH] = L"";
  GetPrivateProfileStringW(L"SETUP_DRIVER", L"InstallDir", L"", folder,
                           static_cast<DWORD>(std::size(folder)), kIniFile.c_str());
  return folder;
}

std::wstring PayloadIn(std::wstring folder) {
  while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  return folder + kPayload;
}

void RemovePayload(const std::wstring& folder) {
  DeleteFileW(PayloadIn(folder).c_str());
  RemoveDirectoryW(folder.c_str());
}

class InnoExample : public ::testing::Test {
 protected:
  void SetUp() override {
    pages_ = test::WizardPages(kIniFile);
    ASSERT_GE(pages_.size(), 3u) << L"no page list in " << kIniFile;
    ASSERT_EQ(pages_.front(), L"InstallDestinationDlg");
    ASSERT_TRUE(Exists(kInstaller)) << kInstaller;
    DeleteFileW(kLogFile.c_str());
    RemovePayload(kTyped);
  }

  const std::wstring kTyped = L"C:\\Vorlane\\Inno typed by the user";
  std::vector<std::wstring> pages_;
};

// A folder typed on the first page, inch chosen on the unit page, Back once
// from the page after it, Next on every page to the last: the installer acts
// on each result and Inno installs the payload into the typed folder.
TEST_F(InnoExample, NextOnEveryPageInstallsIntoTheTypedFolder) {
  test::SetupTreeAside aside;
  std::vector<std::wstring> expected;
  {
    InnoRun run;
    ASSERT_NE(run.Installer().Id(), 0u) << kInstaller << L" did not start";
    const DWORD thread = run.PageThread(60000);
    ASSERT_NE(thread, 0u) << L"no page of the installer appeared";
    const Ui ui(thread);
    HWND page = ui.WaitForDialog();
    ASSERT_NE(page, nullptr) << L"no page, but: " << ui.WaitForMessageBox(100).text;
    expected = test::WalkWizard(ui, page, pages_, kTyped, false);
    EXPECT_EQ(run.Installer().ExitCode(60000), 0u) << L"Inno ends a finished installation with 0";
  }
  expected.push_back(L"Setup complete.");
  EXPECT_EQ(test::FileLines(kLogFile), expected) << kLogFile;
  EXPECT_TRUE(Exists(PayloadIn(kTyped))) << L"the payload is not in the folder typed on the page";
  EXPECT_FALSE(Exists(PayloadIn(InstallDir()))) << L"the payload went to the INI's folder";

  const std::wstring options = test::kOptionsKey;
  EXPECT_EQ(test::RegGetString(options + L"\\Lumo", L"TARGETDIR"), kTyped + L"\\");
  EXPECT_EQ(test::RegGetString(options + L"\\Ferrix", L"UNITS"), L"INCH");
  EXPECT_EQ(test::RegGetString(test::kSetupRoot, L"TRELProduct"), L"brava");
  EXPECT_EQ(test::RegGetString(options, L"active"), L"CONTENTSERVER");
  RemovePayload(kTyped);
}

// A confirmed Cancel on the first page: the installer ends before Inno
// installs anything, with Inno's code for a setup its script declined to
// start. The driver's values were written before the page; no folder was
// stored.
TEST_F(InnoExample, ConfirmedCancelEndsTheInstallerWithNothingInstalled) {
  test::SetupTreeAside aside;
  {
    InnoRun run;
    ASSERT_NE(run.Installer().Id(), 0u) << kInstaller << L" did not start";
    const DWORD thread = run.PageThread(60000);
    ASSERT_NE(thread, 0u) << L"no page of the installer appeared";
    const Ui ui(thread);
    HWND page = ui.WaitForDialog();
    ASSERT_NE(page, nullptr) << L"no page, but: " << ui.WaitForMessageBox(100).text;
    ui.SetText(page, IDC_DESTINATION, kTyped);
    ui.Click(page, IDCANCEL);
    ui.Answer(ui.WaitForMessageBox(), IDYES);
    EXPECT_EQ(run.Installer().ExitCode(60000), 1u);
  }
  const std::vector<std::wstring> expected = {L"InstallDestinationDlg -> 2", L"Setup cancelled."};
  EXPECT_EQ(test::FileLines(kLogFile), expected) << kLogFile;
  EXPECT_FALSE(Exists(PayloadIn(kTyped)));
  EXPECT_FALSE(Exists(PayloadIn(InstallDir())));

  const std::wstring options = test::kOptionsKey;
  EXPECT_EQ(test::RegGetString(options + L"\\Lumo", L"TARGETDIR"), std::nullopt);
  EXPECT_EQ(test::RegGetString(test::kSetupRoot + std::wstring(L"\\InstallProduct"), L"TARGETDIR"),
            InstallDir());
  EXPECT_EQ(test::RegGetString(test::kSetupRoot, L"TRELProduct"), L"brava");
}

}  // namespace
