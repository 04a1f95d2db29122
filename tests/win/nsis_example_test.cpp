// The NSIS example installer (examples/nsis) as a user meets it: started as
// a process of its own, from its own folder, with the pages driven from this
// process. It unpacks both libraries into a folder of its own and writes the
// real HKEY_CURRENT_USER of the prefix, so this program has no registry
// sandbox: it keeps the setup tree found there aside and puts it back.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "kit/scoped_handle.h"
#include "resdll/kelvrares_ids.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/setup_test.h"

namespace {

using test::Ui;

std::string FullPath(const std::string& path) {
  char full[MAX_PATH] = "";
  GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return full;
}

const std::string kFolder = FullPath(test::ProgramFolder() + "\\..\\examples\\nsis");
const std::string kInstaller = kFolder + "\\KelvraSetup.exe";
const std::string kLogFile = kFolder + "\\KelvraSetup.log";

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::stringstream stream(text);
  for (std::string part; std::getline(stream, part, separator);) parts.push_back(part);
  return parts;
}

// The exports the installer's INI lists, in wizard order.
std::vector<std::string> WizardPages() {
  char list[4096] = "";
  GetPrivateProfileStringA("SETUP_DRIVER", "Pages", "", list, sizeof list,
                           (kFolder + "\\KelvraSetup.ini").c_str());
  std::vector<std::string> pages;
  for (const std::string& item : Split(list, ',')) pages.push_back(Split(item, ':').front());
  return pages;
}

std::vector<std::string> LogLines() {
  std::ifstream file(kLogFile, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The setup tree of the real HKEY_CURRENT_USER, copied aside and removed for
// the object's life, then put back as it was.
class SetupTreeAside {
 public:
  SetupTreeAside() : aside_("Software\\KelvraTestAside\\" + std::to_string(GetCurrentProcessId())) {
    had_ = test::RegKeyExists(test::kSetupRoot);
    if (had_) {
      EXPECT_EQ(Copy(test::kSetupRoot, aside_), ERROR_SUCCESS);
    }
    Remove(test::kSetupRoot);
  }
  ~SetupTreeAside() {
    Remove(test::kSetupRoot);
    if (had_ && Copy(aside_, test::kSetupRoot) == ERROR_SUCCESS) Remove(aside_);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\KelvraTestAside");  // only when empty
  }
  SetupTreeAside(const SetupTreeAside&) = delete;
  SetupTreeAside& operator=(const SetupTreeAside&) = delete;

 private:
  static LONG Copy(const std::string& from, const std::string& to) {
    HKEY source = nullptr, target = nullptr;
    LONG status = RegOpenKeyExA(HKEY_CURRENT_USER, from.c_str(), 0, KEY_READ, &source);
    if (status != ERROR_SUCCESS) return status;
    const kit::ScopedRegistryKey sourceKey(source);
    status = RegCreateKeyExA(HKEY_CURRENT_USER, to.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                             &target, nullptr);
    if (status != ERROR_SUCCESS) return status;
    const kit::ScopedRegistryKey targetKey(target);
    return RegCopyTreeA(source, nullptr, target);
  }
  static void Remove(const std::string& key) {
    RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
  }

  std::string aside_;
  bool had_ = false;
};

// The installer, started from its own folder as a user starts it; ended by
// its id if a failed test leaves it running.
class InstallerProcess {
 public:
  InstallerProcess() {
    std::string commandLine = "\"" + kInstaller + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessA(kInstaller.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                       kFolder.c_str(), &startup, &info)) {
      process_.reset(info.hProcess);
      kit::ScopedKernelHandle thread(info.hThread);
      id_ = info.dwProcessId;
    }
  }
  ~InstallerProcess() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.get(), 99);
      WaitForSingleObject(process_.get(), 5000);
    }
  }
  InstallerProcess(const InstallerProcess&) = delete;
  InstallerProcess& operator=(const InstallerProcess&) = delete;

  DWORD Id() const { return id_; }
  // The exit code, or STILL_ACTIVE when it has not ended within `ms`.
  DWORD ExitCode(DWORD ms) const {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process_.get(), ms) == WAIT_OBJECT_0)
      GetExitCodeProcess(process_.get(), &code);
    return code;
  }

 private:
  kit::ScopedKernelHandle process_;
  DWORD id_ = 0;
};

// Presses button `id` of `page` and returns the page shown next, if any.
HWND Press(const Ui& ui, HWND page, int id) {
  ui.Click(page, id);
  if (!ui.WaitUntilClosed(page)) return nullptr;
  return ui.WaitForDialog(nullptr, 10000);
}

// Walks the wizard: a folder typed on the first page, inch chosen on the
// unit page, Back once from the page after it, Next on to the last page and
// a confirmed Cancel there. The installer acts on each result, logs it and
// what the pages stored, and ends with 2.
TEST(NsisExample, PagesDrivenAsAUserWouldAndTheInstallerActsOnEachResult) {
  const char kTyped[] = "C:\\Vorlane\\Typed by the user";
  const std::vector<std::string> pages = WizardPages();
  ASSERT_GE(pages.size(), 3u) << "no page list in " << kFolder << "\\KelvraSetup.ini";
  ASSERT_EQ(pages.front(), "InstallDestinationDlg");
  ASSERT_EQ(pages.back(), "SelectContentDlg");
  DeleteFileA(kLogFile.c_str());
  SetupTreeAside aside;

  std::vector<std::string> expected;  // the log's lines, one per page call
  {
    InstallerProcess installer;
    ASSERT_NE(installer.Id(), 0u) << kInstaller << " did not start";
    const DWORD thread = test::DialogThreadOfProcess(installer.Id(), 30000);
    ASSERT_NE(thread, 0u) << "no page of the installer appeared";
    const Ui ui(thread);
    HWND page = ui.WaitForDialog();
    ASSERT_NE(page, nullptr) << "no page, but: " << ui.WaitForMessageBox(100).text;
    bool wentBack = false;
    for (size_t at = 0; page && at < pages.size();) {
      const std::string& name = pages[at];
      if (at + 1 == pages.size()) {
        ui.Click(page, IDCANCEL);
        ui.Answer(ui.WaitForMessageBox(), IDYES);
        expected.push_back(name + " -> 2");
        break;
      }
      if (name == "InstallDestinationDlg") ui.SetText(page, IDC_DESTINATION, kTyped);
      if (name == "UnitStandardDlg") {
        if (wentBack) {
          EXPECT_TRUE(ui.IsChecked(page, IDC_UNITS_INCH)) << "Back shows the stored choice";
        }
        ui.Toggle(page, IDC_UNITS_INCH);
      }
      if (at > 0 && pages[at - 1] == "UnitStandardDlg" && !wentBack) {
        wentBack = true;
        page = Press(ui, page, IDC_BACK);
        expected.push_back(name + " -> 1001");
        --at;
        continue;
      }
      page = Press(ui, page, IDC_NEXT);
      expected.push_back(name + " -> 1");
      ++at;
    }
    EXPECT_TRUE(wentBack) << "no unit page to go back to";
    EXPECT_EQ(installer.ExitCode(20000), 2u) << "a confirmed Cancel ends the installer with 2";
  }

  const std::vector<std::string> log = LogLines();
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
