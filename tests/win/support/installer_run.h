// An example installer run as a user runs it: started as a process of its
// own from its own folder, its pages driven from the test program, with the
// setup tree of the real HKEY_CURRENT_USER kept aside meanwhile.
#pragma once

#include <string>
#include <vector>
#include <windows.h>

#include "kit/scoped_handle.h"
#include "tests/win/support/robot.h"

namespace test {

std::wstring FullPath(const std::wstring& path);
// A text file's lines, without their line ends; none when it is missing.
std::vector<std::wstring> FileLines(const std::wstring& path);
// The exports an installer INI's [SETUP_DRIVER] Pages lists, in wizard order.
std::vector<std::wstring> WizardPages(const std::wstring& iniFile);

// The setup tree of the real HKEY_CURRENT_USER, copied aside and removed for
// the object's life, then put back as it was.
class SetupTreeAside {
 public:
  SetupTreeAside();
  ~SetupTreeAside();
  SetupTreeAside(const SetupTreeAside&) = delete;
  SetupTreeAside& operator=(const SetupTreeAside&) = delete;

 private:
  std::wstring aside_;
  bool had_ = false;
};

// The installer, started from its own folder; ended by its id if a failed
// test leaves it running.
class InstallerProcess {
 public:
  InstallerProcess(const std::wstring& installer, const std::wstring& arguments = L"");
  ~InstallerProcess();
  InstallerProcess(const InstallerProcess&) = delete;
  InstallerProcess& operator=(const InstallerProcess&) = delete;

  DWORD Id() const { return id_; }
  // The exit code, or STILL_ACTIVE when it has not ended within `ms`.
  DWORD ExitCode(DWORD ms) const;

 private:
  kit::ScopedKernelHandle process_;
  DWORD id_ = 0;
};

// Walks the wizard from `page`, the first of `pages`: `typed` on the install
// destination page, inch chosen on the unit page, Back once from the page
// after it, then Next on every page; on the last one a confirmed Cancel when
// `cancelLast`, else Next. Returns the "Export -> result" lines an installer
// logs for that walk.
std::vector<std::wstring> WalkWizard(const Ui& ui, HWND page,
                                     const std::vector<std::wstring>& pages,
                                     const std::wstring& typed, bool cancelLast);

}  // namespace test
