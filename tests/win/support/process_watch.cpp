#include "tests/win/support/process_watch.h"

#include <tlhelp32.h>
#include <winternl.h>

#include "kit/scoped_handle.h"

namespace test {

std::vector<DWORD> ProcessesNamed(const wchar_t* exeName) {
  std::vector<DWORD> ids;
  // A snapshot fails as INVALID_HANDLE_VALUE, as a file does.
  const kit::ScopedFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return ids;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry))
    if (lstrcmpiW(entry.szExeFile, exeName) == 0) ids.push_back(entry.th32ProcessID);
  return ids;
}

std::wstring CommandLineOf(DWORD processId) {
  // hh.exe and this program share a bitness on either leg, so the
  // structures read below have this build's layout.
  const kit::ScopedKernelHandle owned(
      OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  HANDLE process = owned.get();
  if (!process) return std::wstring();
  std::wstring text;
  PROCESS_BASIC_INFORMATION basic{};
  PEB peb{};
  RTL_USER_PROCESS_PARAMETERS parameters{};
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) ==
          0 &&
      ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof peb, nullptr) &&
      ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof parameters, nullptr)) {
    std::wstring wide(parameters.CommandLine.Length / sizeof(wchar_t), L'\0');
    if (ReadProcessMemory(process, parameters.CommandLine.Buffer, &wide[0],
                          parameters.CommandLine.Length, nullptr)) {
      // Up to the first NUL: a process still starting may show its text as
      // NULs, which then reads as none yet.
      text = wide.c_str();
    }
  }
  return text;
}

void EndProcess(DWORD processId) {
  const kit::ScopedKernelHandle process(
      OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
  if (!process) return;
  TerminateProcess(process.get(), 0);
  WaitForSingleObject(process.get(), 5000);
}

}  // namespace test
