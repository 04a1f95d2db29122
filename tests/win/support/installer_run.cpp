#include "tests/win/support/installer_run.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "resdll/kelvrares_ids.h"
#include "tests/win/support/setup_test.h"

namespace test {

namespace {

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator) {
  std::vector<std::wstring> parts;
  std::wstringstream stream(text);
  for (std::wstring part; std::getline(stream, part, separator);) parts.push_back(part);
  return parts;
}

LONG CopyKey(const std::wstring& from, const std::wstring& to) {
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

void RemoveKey(const std::wstring& key) {
  RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
}

// Presses button `id` of `page` and returns the page shown next, if any.
HWND Press(const Ui& ui, HWND page, int id) {
  ui.Click(page, id);
  if (!ui.WaitUntilClosed(page)) return nullptr;
  return ui.WaitForDialog(nullptr, 10000);
}

}  // namespace

std::wstring FullPath(const std::wstring& path) {
  wchar_t full[MAX_PATH] = L"";
  GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
  return full;
}

std::vector<std::wstring> FileLines(const std::wstring& path) {
  // The installers write their logs in ASCII.
  std::ifstream file(path.c_str(), std::ios::binary);
  std::vector<std::wstring> lines;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.emplace_back(line.begin(), line.end());
  }
  return lines;
}

std::vector<std::wstring> WizardPages(const std::wstring& iniFile) {
  wchar_t list[4096] = L"";
  GetPrivateProfileStringW(L"SETUP_DRIVER", L"Pages", L"", list,
                           static_cast<DWORD>(std::size(list)), iniFile.c_str());
  std::vector<std::wstring> pages;
  for (const std::wstring& item : Split(list, L',')) pages.push_back(Split(item, L':').front());
  return pages;
}

SetupTreeAside::SetupTreeAside()
    : aside_(L"Software\\KelvraTestAside\\" + std::to_wstring(GetCurrentProcessId())) {
  had_ = RegKeyExists(kSetupRoot);
  if (had_) {
    EXPECT_EQ(CopyKey(kSetupRoot, aside_), ERROR_SUCCESS);
  }
  RemoveKey(kSetupRoot);
}

SetupTreeAside::~SetupTreeAside() {
  RemoveKey(kSetupRoot);
  if (had_ && CopyKey(aside_, kSetupRoot) == ERROR_SUCCESS) RemoveKey(aside_);
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\KelvraTestAside");  // only when empty
}

InstallerProcess::InstallerProcess(const std::wstring& installer, const std::wstring& arguments) {
  std::wstring commandLine =
      L"\"" + installer + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  const std::wstring folder = installer.substr(0, installer.find_last_of(L'\\'));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (CreateProcessW(installer.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                     folder.c_str(), &startup, &info)) {
    process_.reset(info.hProcess);
    kit::ScopedKernelHandle thread(info.hThread);
    id_ = info.dwProcessId;
  }
}

InstallerProcess::~InstallerProcess() {
  if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.get(), 99);
    WaitForSingleObject(process_.get(), 5000);
  }
}

DWORD InstallerProcess::ExitCode(DWORD ms) const {
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(process_.get(), ms) == WAIT_OBJECT_0)
    GetExitCodeProcess(process_.get(), &code);
  return code;
}

std::vector<std::wstring> WalkWizard(const Ui& ui, HWND page,
                                     const std::vector<std::wstring>& pages,
                                     const std::wstring& typed, bool cancelLast) {
  std::vector<std::wstring> lines;
  bool wentBack = false;
  for (size_t at = 0; page && at < pages.size();) {
    const std::wstring& name = pages[at];
    if (at + 1 == pages.size() && cancelLast) {
      ui.Click(page, IDCANCEL);
      ui.Answer(ui.WaitForMessageBox(), IDYES);
      lines.push_back(name + L" -> 2");
      break;
    }
    if (name == L"InstallDestinationDlg") ui.SetText(page, IDC_DESTINATION, typed);
    if (name == L"UnitStandardDlg") {
      if (wentBack) {
        EXPECT_TRUE(ui.IsChecked(page, IDC_UNITS_INCH)) << L"Back shows the stored choice";
      }
      ui.Toggle(page, IDC_UNITS_INCH);
    }
    if (at > 0 && pages[at - 1] == L"UnitStandardDlg" && !wentBack) {
      wentBack = true;
      page = Press(ui, page, IDC_BACK);
      lines.push_back(name + L" -> 1001");
      --at;
      continue;
    }
    lines.push_back(name + L" -> 1");
    ++at;
    if (at == pages.size()) {
      // The last page: Next ends the walk, with no page after it.
      ui.Click(page, IDC_NEXT);
      EXPECT_TRUE(ui.WaitUntilClosed(page)) << name << L" stayed up after Next";
      break;
    }
    page = Press(ui, page, IDC_NEXT);
  }
  EXPECT_NE(page, nullptr) << L"no page came after "
                           << (lines.empty() ? L"the start" : lines.back());
  EXPECT_TRUE(wentBack) << L"no unit page to go back to";
  return lines;
}

}  // namespace test
