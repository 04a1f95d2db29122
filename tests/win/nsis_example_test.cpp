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

std::wstring FullPath(const std::wstring& path) {
  wchar_t full[MAX_PATH] = L"";
  GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
  return full;
}

const std::wstring kFolder = FullPath(test::ProgramFolder() + L"\\..\\examples\\nsis");
const std::wstring kInstaller = kFolder + L"\\KelvraSetup.exe";
const std::wstring kLogFile = kFolder + L"\\KelvraSetup.log";

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator) {
  std::vector<std::wstring> parts;
  std::wstringstream stream(text);
  for (std::wstring part; std::getline(stream, part, separator);) parts.push_back(part);
  return parts;
}

// The exports the installer's INI lists, in wizard order.
std::vector<std::wstring> WizardPages() {
  wchar_t list[4096] = L"";
  GetPrivateProfileStringW(L"SETUP_DRIVER", L"Pages", L"", list, std::size(list),
                           (kFolder + L"\\KelvraSetup.ini").c_str());
  std::vector<std::wstring> pages;
  for (const std::wstring& item : Split(list, L',')) pages.push_back(Split(item, L':').front());
  return pages;
}

std::vector<std::wstring> LogLines() {
  // The installer writes its log in ASCII.
  std::ifstream file(kLogFile.c_str(), std::ios::binary);
  std::vector<std::wstring> lines;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.emplace_back(line.begin(), line.end());
  }
  return lines;
}

// The setup tree of the real HKEY_CURRENT_USER, copied aside and removed for
// the object's life, then put back as it was.
class SetupTreeAside {
 public:
  SetupTreeAside()
      : aside_(L"Software\\KelvraTestAside\\" + std::to_wstring(GetCurrentProcessId())) {
    had_ = test::RegKeyExists(test::kSetupRoot);
    if (had_) {
      EXPECT_EQ(Copy(test::kSetupRoot, aside_), ERROR_SUCCESS);
    }
    Remove(test::kSetupRoot);
  }
  ~SetupTreeAside() {
    Remove(test::kSetupRoot);
    if (had_ && Copy(aside_, test::kSetupRoot) == ERROR_SUCCESS) Remove(aside_);
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\KelvraTestAside");  // only when empty
  }
  SetupTreeAside(const SetupTreeAside&) = delete;
  SetupTreeAside& operator=(const SetupTreeAside&) = delete;

 private:
  static LONG Copy(const std::wstring& from, const std::wstring& to) {
    HKEY source = nullptr, target = nullptr;
    LONG status = RegOpenKeyExW(HKEY_CURRENT_USER, from.c_str(), 0, KEY_READ, &source);
    if (status != ERROR_SUCCESS) return status;
    const kit::ScopedRegistryKey sourceKey(source);
    status = RegCreateKeyExW(HKEY_CURRENT_USER, to.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                             &target, nullptr);
    if (status != ERROR_SUCCESS) return status;
    const kit::ScopedRegistryKey targetKey(target);
    return RegCopyTreeW(source, nullptr, target);
  }
  static void Remove(const std::wstring& key) {
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
  }

  std::wstring aside_;
  bool had_ = false;
};

// The installer, started from its own folder as a user starts it; ended by
// its id if a failed test leaves it running.
class InstallerProcess {
 public:
  InstallerProcess() {
    std::wstring commandLine = L"\"" + kInstaller + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessW(kInstaller.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
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
  const wchar_t kTyped[] = L"C:\\Vorlane\\Typed by the user";
  const std::vector<std::wstring> pages = WizardPages();
  ASSERT_GE(pages.size(), 3u) << L"no page list in " << kFolder << L"\\KelvraSetup.ini";
  ASSERT_EQ(pages.front(), L"InstallDestinationDlg");
  ASSERT_EQ(pages.back(), L"SelectContentDlg");
  DeleteFileW(kLogFile.c_str());
  SetupTreeAside aside;

  std::vector<std::wstring> expected;  // the log's lines, one per page call
  {
    InstallerProcess installer;
    ASSERT_NE(installer.Id(), 0u) << kInstaller << L" did not start";
    const DWORD thread = test::DialogThreadOfProcess(installer.Id(), 30000);
    ASSERT_NE(thread, 0u) << L"no page of the installer appeared";
    const Ui ui(thread);
    HWND page = ui.WaitForDialog();
    ASSERT_NE(page, nullptr) << L"no page, but: " << ui.WaitForMessageBox(100).text;
    bool wentBack = false;
    for (size_t at = 0; page && at < pages.size();) {
      const std::wstring& name = pages[at];
      if (at + 1 == pages.size()) {
        ui.Click(page, IDCANCEL);
        ui.Answer(ui.WaitForMessageBox(), IDYES);
        expected.push_back(name + L" -> 2");
        break;
      }
      if (name == L"InstallDestinationDlg") ui.SetText(page, IDC_DESTINATION, kTyped);
      if (name == L"UnitStandardDlg") {
        if (wentBack) {
          EXPECT_TRUE(ui.IsChecked(page, IDC_UNITS_INCH)) << L"Back shows the stored choice";
        }
        ui.Toggle(page, IDC_UNITS_INCH);
      }
      if (at > 0 && pages[at - 1] == L"UnitStandardDlg" && !wentBack) {
        wentBack = true;
        page = Press(ui, page, IDC_BACK);
        expected.push_back(name + L" -> 1001");
        --at;
        continue;
      }
      page = Press(ui, page, IDC_NEXT);
      expected.push_back(name + L" -> 1");
      ++at;
    }
    EXPECT_TRUE(wentBack) << L"no unit page to go back to";
    EXPECT_EQ(installer.ExitCode(20000), 2u) << L"a confirmed Cancel ends the installer with 2";
  }

  const std::vector<std::wstring> log = LogLines();
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
