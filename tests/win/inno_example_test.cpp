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

const std::string kFolder = test::FullPath(test::ProgramFolder() + "\\..\\examples\\inno");
const std::string kInstaller = kFolder + "\\KelvraSetup.exe";
const std::string kIniFile = kFolder + "\\KelvraSetup.ini";
const std::string kLogFile = kFolder + "\\KelvraSetup.log";
const char kQuiet[] = "/VERYSILENT /SUPPRESSMSGBOXES";
const char kSetupProgram[] = "KelvraSetup.tmp";
const char kPayload[] = "\\Kelvra example.txt";

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
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
std::string InstallDir() {
  char folder[MAX_PATH] = "";
  GetPrivateProfileStringA("SETUP_DRIVER", "InstallDir", "", folder, sizeof folder,
                           kIniFile.c_str());
  return folder;
}

std::string PayloadIn(std::string folder) {
  while (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder + kPayload;
}

void RemovePayload(const std::string& folder) {
  DeleteFileA(PayloadIn(folder).c_str());
  RemoveDirectoryA(folder.c_str());
}

class InnoExample : public ::testing::Test {
 protected:
  void SetUp() override {
    pages_ = test::WizardPages(kIniFile);
    ASSERT_GE(pages_.size(), 3u) << "no page list in " << kIniFile;
    ASSERT_EQ(pages_.front(), "InstallDestinationDlg");
    ASSERT_TRUE(Exists(kInstaller)) << kInstaller;
    DeleteFileA(kLogFile.c_str());
    RemovePayload(kTyped);
  }

  const std::string kTyped = "C:\\Vorlane\\Inno typed by the user";
  std::vector<std::string> pages_;
};

// A folder typed on the first page, inch chosen on the unit page, Back once
// from the page after it, Next on every page to the last: the installer acts
// on each result and Inno installs the payload into the typed folder.
TEST_F(InnoExample, NextOnEveryPageInstallsIntoTheTypedFolder) {
  test::SetupTreeAside aside;
  std::vector<std::string> expected;
  {
    InnoRun run;
    ASSERT_NE(run.Installer().Id(), 0u) << kInstaller << " did not start";
    const DWORD thread = run.PageThread(60000);
    ASSERT_NE(thread, 0u) << "no page of the installer appeared";
    const Ui ui(thread);
    HWND page = ui.WaitForDialog();
    ASSERT_NE(page, nullptr) << "no page, but: " << ui.WaitForMessageBox(100).text;
    expected = test::WalkWizard(ui, page, pages_, kTyped, false);
    EXPECT_EQ(run.Installer().ExitCode(60000), 0u) << "Inno ends a finished installation with 0";
  }
  expected.push_back("Setup complete.");
  EXPECT_EQ(test::FileLines(kLogFile), expected) << kLogFile;
  EXPECT_TRUE(Exists(PayloadIn(kTyped))) << "the payload is not in the folder typed on the page";
  EXPECT_FALSE(Exists(PayloadIn(InstallDir()))) << "the payload went to the INI's folder";

  const std::string options = test::kOptionsKey;
  EXPECT_EQ(test::RegGetString(options + "\\Lumo", "TARGETDIR"), kTyped + "\\");
  EXPECT_EQ(test::RegGetString(options + "\\Ferrix", "UNITS"), "INCH");
  EXPECT_EQ(test::RegGetString(test::kSetupRoot, "TRELProduct"), "brava");
  EXPECT_EQ(test::RegGetString(options, "active"), "CONTENTSERVER");
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
    ASSERT_NE(run.Installer().Id(), 0u) << kInstaller << " did not start";
    const DWORD thread = run.PageThread(60000);
    ASSERT_NE(thread, 0u) << "no page of the installer appeared";
    const Ui ui(thread);
    HWND page = ui.WaitForDialog();
    ASSERT_NE(page, nullptr) << "no page, but: " << ui.WaitForMessageBox(100).text;
    ui.SetText(page, IDC_DESTINATION, kTyped);
    ui.Click(page, IDCANCEL);
    ui.Answer(ui.WaitForMessageBox(), IDYES);
    EXPECT_EQ(run.Installer().ExitCode(60000), 1u);
  }
  const std::vector<std::string> expected = {"InstallDestinationDlg -> 2", "Setup cancelled."};
  EXPECT_EQ(test::FileLines(kLogFile), expected) << kLogFile;
  EXPECT_FALSE(Exists(PayloadIn(kTyped)));
  EXPECT_FALSE(Exists(PayloadIn(InstallDir())));

  const std::string options = test::kOptionsKey;
  EXPECT_EQ(test::RegGetString(options + "\\Lumo", "TARGETDIR"), std::nullopt);
  EXPECT_EQ(test::RegGetString(test::kSetupRoot + std::string("\\InstallProduct"), "TARGETDIR"),
            InstallDir());
  EXPECT_EQ(test::RegGetString(test::kSetupRoot, "TRELProduct"), "brava");
}

}  // namespace
