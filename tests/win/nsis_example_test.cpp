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

const std::string kFolder = test::FullPath(test::ProgramFolder() + "\\..\\examples\\nsis");
const std::string kInstaller = kFolder + "\\KelvraSetup.exe";
const std::string kLogFile = kFolder + "\\KelvraSetup.log";

// Walks the wizard: a folder typed on the first page, inch chosen on the
// unit page, Back once from the page after it, Next on to the last page and
// a confirmed Cancel there. The installer acts on each result, logs it and
// what the pages stored, and ends with 2.
TEST(NsisExample, PagesDrivenAsAUserWouldAndTheInstallerActsOnEachResult) {
  const char kTyped[] = "C:\\Vorlane\\Typed by the user";
  const std::vector<std::string> pages = test::WizardPages(kFolder + "\\KelvraSetup.ini");
  ASSERT_GE(pages.size(), 3u) << "no page list in " << kFolder << "\\KelvraSetup.ini";
  ASSERT_EQ(pages.front(), "InstallDestinationDlg");
  ASSERT_EQ(pages.back(), "SelectContentDlg");
  DeleteFileA(kLogFile.c_str());
  test::SetupTreeAside aside;

  std::vector<std::string> expected;  // the log's lines, one per page call
  {
    test::InstallerProcess installer(kInstaller);
    ASSERT_NE(installer.Id(), 0u) << kInstaller << " did not start";
    const DWORD thread = test::DialogThreadOfProcess(installer.Id(), 30000);
    ASSERT_NE(thread, 0u) << "no page of the installer appeared";
    const Ui ui(thread);
    HWND page = ui.WaitForDialog();
    ASSERT_NE(page, nullptr) << "no page, but: " << ui.WaitForMessageBox(100).text;
    expected = test::WalkWizard(ui, page, pages, kTyped, true);
    EXPECT_EQ(installer.ExitCode(20000), 2u) << "a confirmed Cancel ends the installer with 2";
  }

  const std::vector<std::string> log = test::FileLines(kLogFile);
  ASSERT_GT(log.size(), expected.size()) << "the installer's log " << kLogFile;
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + expected.size()), expected);
  EXPECT_EQ(log[expected.size()], "Setup cancelled.");
  const std::string stored[] = {
      "  \\Options\\Lumo: TARGETDIR = " + std::string(kTyped) + "\\",
      "  \\Options\\Ferrix: UNITS = INCH",
      "  \\Options\\ContentServer: _CANCELED = 1",
      "  : TRELProduct = brava",
  };
  for (const std::string& line : stored) {
    EXPECT_NE(std::find(log.begin(), log.end(), line), log.end()) << "not logged: " << line;
  }

  const std::string options = test::kOptionsKey;
  EXPECT_EQ(test::RegGetString(options + "\\Lumo", "TARGETDIR"), std::string(kTyped) + "\\");
  EXPECT_EQ(test::RegGetString(options + "\\Ferrix", "UNITS"), "INCH");
  EXPECT_EQ(test::RegGetDword(options + "\\ContentServer", "_CANCELED"), 1u);
  EXPECT_EQ(test::RegGetString(test::kSetupRoot, "TRELProduct"), "brava");
  EXPECT_EQ(test::RegGetString(options, "active"), "CONTENTSERVER");
}

}  // namespace
