// Setup.exe [/auto <folder>] [--language <code>]: shows the pages listed in
// its own INI file (Setup.ini beside Setup.exe) with Next/Back navigation and prints what they
// stored. With /auto it presses Next on every page by itself and saves a picture of each into
// <folder>. With --language de (or Language=de in Setup.ini) the pages show the texts of
// de\Kelvrares.dll.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "driver/setup_driver.h"
#include "framework/driver_files.h"
#include "include/kelvra.h"
#include "kit/text_format.h"

namespace {

std::wstring ExecutablePath() {
  wchar_t path[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

std::wstring FolderOf(const std::wstring& path) {
  return path.substr(0, path.find_last_of(L'\\'));
}

std::wstring NameOf(const std::wstring& path) {
  return path.substr(path.find_last_of(L'\\') + 1);
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

struct Arguments {
  std::wstring shotFolder;  // /auto <folder>
  std::wstring language;    // --language <code>
  bool staged = false;      // --staged: this is the copy of another language's run
  std::wstring passOn;      // everything but --language, for the copy
};

Arguments ParseArguments(int argc, wchar_t** argv) {
  Arguments arguments;
  for (int i = 1; i < argc; ++i) {
    const std::wstring argument = argv[i];
    if (argument == L"--language" && i + 1 < argc) {
      arguments.language = argv[++i];
      continue;
    }
    if (argument == L"--staged") arguments.staged = true;
    if (argument == L"/auto" && i + 1 < argc) arguments.shotFolder = argv[i + 1];
    arguments.passOn += L" \"" + argument + L"\"";
  }
  return arguments;
}

// The pages find Kelvrares.dll in the driver's own folder before anywhere
// else, so another language runs from a copy of the driver in a folder of
// its own, with that language's library beside it. Returns the copy's exit
// code; the folder is removed afterwards.
int RunStaged(const std::wstring& folder, const std::wstring& library, const std::wstring& language,
              const std::wstring& passOn) {
  wchar_t temp[MAX_PATH] = L"";
  GetTempPathW(MAX_PATH, temp);
  const std::wstring stage = std::wstring(temp) + L"KelvraSetup-" + language;
  CreateDirectoryW(stage.c_str(), nullptr);
  const std::wstring self = NameOf(ExecutablePath());
  const std::wstring ini = self.substr(0, self.find_last_of(L'.')) + L".ini";
  const std::pair<std::wstring, std::wstring> copies[] = {
      {folder + L"\\" + self, self}, {folder + L"\\Kelvra.dll", L"Kelvra.dll"},
      {folder + L"\\" + ini, ini},   {folder + L"\\Options.ini", L"Options.ini"},
      {library, L"Kelvrares.dll"},
  };
  for (const auto& [from, to] : copies) {
    if (!CopyFileW(from.c_str(), (stage + L"\\" + to).c_str(), FALSE)) {
      std::wprintf(L"%ls could not be copied to %ls.\n", from.c_str(), stage.c_str());
      return 4;
    }
  }
  std::wstring commandLine = L"\"" + stage + L"\\" + self + L"\" --staged" + passOn;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  DWORD exitCode = 4;
  if (CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                     &startup, &process)) {
    const kit::ScopedKernelHandle processHandle(process.hProcess), thread(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &exitCode);
  } else {
    std::wprintf(L"The %ls copy of the driver could not be started.\n", language.c_str());
  }
  for (const auto& copy : copies) DeleteFileW((stage + L"\\" + copy.second).c_str());
  RemoveDirectoryW(stage.c_str());
  return static_cast<int>(exitCode);
}

// Runs the wizard; returns the process exit code.
int RunWizard(HMODULE library, const DriverSettings& settings, Autopilot* autopilot) {
  size_t page = 0;
  while (page < settings.pages.size()) {
    const std::wstring& name = settings.pages[page].exportName;
    KelvraPageFunction show = GetKelvraPage(library, kit::Ascii(name).c_str());
    if (!show) {
      std::wprintf(L"Kelvra.dll has no page %ls; skipped.\n", name.c_str());
      ++page;
      continue;
    }
    WriteActiveProduct(settings.pages[page].active);
    if (autopilot) autopilot->ExpectPage(name);
    const int result = show();
    std::wprintf(L"%-24ls -> %d\n", name.c_str(), result);
    if (result == KELVRA_NEXT) {
      ++page;
    } else if (result == KELVRA_BACK) {
      if (page > 0) --page;
    } else if (result == KELVRA_CANCEL) {
      std::wprintf(L"Setup cancelled.\n");
      return 2;
    } else {
      std::wprintf(L"The page could not be shown (result %d).\n", result);
      return 3;
    }
  }
  std::wprintf(L"Setup complete.\n");
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const std::wstring folder = FolderOf(ExecutablePath());
  // Its own name with ".ini", the file the pages read as the driver INI.
  const DriverSettings settings = ReadDriverSettings(kelvra::DriverIniPathOf(ExecutablePath()));
  const Arguments arguments = ParseArguments(argc, argv);
  const std::wstring language = arguments.language.empty() ? settings.language : arguments.language;
  if (!arguments.staged && !language.empty() && language != L"en") {
    const std::wstring library = folder + L"\\" + language + L"\\Kelvrares.dll";
    if (FileExists(library)) return RunStaged(folder, library, language, arguments.passOn);
    std::wprintf(L"There is no %ls; the pages stay in English.\n", library.c_str());
  }
  WriteDriverValues(settings);

  kit::ScopedModule library(LoadLibraryW((folder + L"\\Kelvra.dll").c_str()));
  if (!library) {
    std::wprintf(L"Kelvra.dll could not be loaded from %ls.\n", folder.c_str());
    return 4;
  }
  std::unique_ptr<Autopilot> autopilot;
  if (!arguments.shotFolder.empty())
    autopilot = std::make_unique<Autopilot>(GetCurrentThreadId(), arguments.shotFolder);

  const int exitCode = RunWizard(library.get(), settings, autopilot.get());
  autopilot.reset();
  library.reset();
  std::wprintf(L"\nStored under HKEY_CURRENT_USER:\n");
  PrintStoredValues();
  return exitCode;
}
