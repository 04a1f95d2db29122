#include "tests/win/support/installer_run.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "resdll/kelvrares_ids.h"
#include "tests/win/support/setup_test.h"

namespace test {

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::stringstream stream(text);
  for (std::string part; std::getline(stream, part, separator);) parts.push_back(part);
  return parts;
}

LONG CopyKey(const std::string& from, const std::string& to) {
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

void RemoveKey(const std::string& key) {
  RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
}

// Presses button `id` of `page` and returns the page shown next, if any.
HWND Press(const Ui& ui, HWND page, int id) {
  ui.Click(page, id);
  if (!ui.WaitUntilClosed(page)) return nullptr;
  return ui.WaitForDialog(nullptr, 10000);
}

}  // namespace

std::string FullPath(const std::string& path) {
  char full[MAX_PATH] = "";
  GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return full;
}

std::vector<std::string> FileLines(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> WizardPages(const std::string& iniFile) {
  char list[4096] = "";
  GetPrivateProfileStringA("SETUP_DRIVER", "Pages", "", list, sizeof list, iniFile.c_str());
  std::vector<std::string> pages;
  for (const std::string& item : Split(list, ',')) pages.push_back(Split(item, ':').front());
  return pages;
}

SetupTreeAside::SetupTreeAside()
    : aside_("Software\\KelvraTestAside\\" + std::to_string(GetCurrentProcessId())) {
  had_ = RegKeyExists(kSetupRoot);
  if (had_) {
    EXPECT_EQ(CopyKey(kSetupRoot, aside_), ERROR_SUCCESS);
  }
  RemoveKey(kSetupRoot);
}

SetupTreeAside::~SetupTreeAside() {
  RemoveKey(kSetupRoot);
  if (had_ && CopyKey(aside_, kSetupRoot) == ERROR_SUCCESS) RemoveKey(aside_);
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\KelvraTestAside");  // only when empty
}

InstallerProcess::InstallerProcess(const std::string& installer, const std::string& arguments) {
  std::string commandLine = "\"" + installer + "\"" + (arguments.empty() ? "" : " " + arguments);
  const std::string folder = installer.substr(0, installer.find_last_of('\\'));
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (CreateProcessA(installer.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
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

std::vector<std::string> WalkWizard(const Ui& ui, HWND page, const std::vector<std::string>& pages,
                                    const std::string& typed, bool cancelLast) {
  std::vector<std::string> lines;
  bool wentBack = false;
  for (size_t at = 0; page && at < pages.size();) {
    const std::string& name = pages[at];
    if (at + 1 == pages.size() && cancelLast) {
      ui.Click(page, IDCANCEL);
      ui.Answer(ui.WaitForMessageBox(), IDYES);
      lines.push_back(name + " -> 2");
      break;
    }
    if (name == "InstallDestinationDlg") ui.SetText(page, IDC_DESTINATION, typed);
    if (name == "UnitStandardDlg") {
      if (wentBack) {
        EXPECT_TRUE(ui.IsChecked(page, IDC_UNITS_INCH)) << "Back shows the stored choice";
      }
      ui.Toggle(page, IDC_UNITS_INCH);
    }
    if (at > 0 && pages[at - 1] == "UnitStandardDlg" && !wentBack) {
      wentBack = true;
      page = Press(ui, page, IDC_BACK);
      lines.push_back(name + " -> 1001");
      --at;
      continue;
    }
    lines.push_back(name + " -> 1");
    ++at;
    if (at == pages.size()) {
      // The last page: Next ends the walk, with no page after it.
      ui.Click(page, IDC_NEXT);
      EXPECT_TRUE(ui.WaitUntilClosed(page)) << name << " stayed up after Next";
      break;
    }
    page = Press(ui, page, IDC_NEXT);
  }
  EXPECT_NE(page, nullptr) << "no page came after " << (lines.empty() ? "the start" : lines.back());
  EXPECT_TRUE(wentBack) << "no unit page to go back to";
  return lines;
}

}  // namespace test
