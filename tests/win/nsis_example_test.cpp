// The NSIS example installer (examples/nsis) as a user meets it: started as
// a process of its own, from its own folder, with the pages driven from this
// process. It unpacks both libraries into a folder of its own and writes the
// real HKEY_CURRENT_USER of the prefix, so this program has no registry
// sandbox: it keeps the setup tree found there aside and puts it back.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/win/support/installer_run.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/setup_test.h"

namespace {

using test::Ui;

const std::wstring kFolder = test::FullPath(test::ProgramFolder() + L"\\..\\examples\\nsis");
const std::wstring kInstaller = kFolder + L"\\KelvraSetup.exe";
const std::wstring kLogFile = kFolder + L"\\KelvraSetup.log";

// Walks the wizard: a folder typed on the first page, inch chosen on the
// unit page, Back once from the page after it, Next on to the last page and
// a confirmed Cancel there. The installer acts on each result, logs it and
// what the pages stored, and ends with 2.
TEST(NsisExample, PagesDrivenAsAUserWouldAndTheInstallerActsOnEachResult) {
  const wchar_t kTyped[] = L"C:\\Vorlane\\Typed by the user";
  const std::vector<std::wstring> pages = test::WizardPages(kFolder + L"\\KelvraSetup.ini");
  ASSERT_GE(pages.size(), 3u) << L"no page list in " << kFolder << L"\\KelvraSetup.ini";
  ASSERT_EQ(pages.front(), L"InstallDestinationDlg");
  ASSERT_EQ(pages.back(), L"SelectContentDlg");
  DeleteFileW(kLogFile.c_str());
  test::SetupTreeAside aside;

  std::vector<std::wstring> expected;  // the log's lines, one per page call
  {
    test::InstallerProcess installer(kInstaller);
    ASSERT_NE(installer.Id(), 0u) << kInstaller << L" did not start";
    const DWORD thread = test::DialogThreadOfProcess(installer.Id(), 30000);
    ASSERT_NE(thread, 0u) << L"no page of the installer appeared";
    const Ui ui(thread);
    HWND page = ui.WaitForDialog();
    ASSERT_NE(page, nullptr) << L"no page, but: " << ui.WaitForMessageBox(100).text;
    expected = test::WalkWizard(ui, page, pages, kTyped, true);
    EXPECT_EQ(installer.ExitCode(20000), 2u) << L"a confirmed Cancel ends the installer with 2";
  }

  const std::vector<std::wstring> log = test::FileLines(kLogFile);
  ASSERT_GT(log.size(), expected.size()) << L"the installer's log " << kLogFile;
  EXPECT_EQ(std::vector<std::wstring>(log.begin(), log.begin() + expected.size()), expected);
  EXPECT_EQ(log[expected.size()], L"Setup cancelled.");
  const std::wstring stored[] = {
      L"  \\Options\\Lumo: TARGETDIR = " + std::wstring(kTyped) + L"\\",
      L"  \\Options\\Ferrix: UNITS = INCH",
      L"  \\Options\\ContentServer: _CANCELED = 1",
      L"  : TRELProduct = brava",
  };
  for (const std::wstring& line : stored) {
    EXPECT_NE(std::find(log.begin(), log.end(), line), log.end()) << L"not logged: " << line;
  }

  const std::wstring options = test::kOptionsKey;
  EXPECT_EQ(test::RegGetString(options + L"\\Lumo", L"TARGETDIR"), std::wstring(kTyped) + L"\\");
  EXPECT_EQ(test::RegGetString(options + L"\\Ferrix", L"UNITS"), L"INCH");
  EXPECT_EQ(test::RegGetDword(options + L"\\ContentServer", L"_CANCELED"), 1u);
  EXPECT_EQ(test::RegGetString(test::kSetupRoot, L"TRELProduct"), L"brava");
  EXPECT_EQ(test::RegGetString(options, L"active"), L"CONTENTSERVER");
}

}  // namespace
