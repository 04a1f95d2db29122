// Processes started while a test runs, seen from outside as a user would.
#pragma once

#include <string>
#include <vector>
#include <windows.h>

namespace test {

struct ProcessSeen {
  DWORD id = 0;
  std::wstring commandLine;
};

// Running processes whose image name is `exeName` (case-blind).
std::vector<DWORD> ProcessesNamed(const wchar_t* exeName);
// The command line another process was started with; empty when unreadable
// or not yet written.
std::wstring CommandLineOf(DWORD processId);
// Ends a process this test started, by its id.
void EndProcess(DWORD processId);

}  // namespace test
