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

namespace {

std::string ExecutablePath() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

std::string FolderOf(const std::string& path) {
  return path.substr(0, path.find_last_of('\\'));
}

std::string NameOf(const std::string& path) {
  return path.substr(path.find_last_of('\\') + 1);
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

struct Arguments {
  std::string shotFolder;  // /auto <folder>
  std::string language;    // --language <code>
  bool staged = false;     // --staged: this is the copy of another language's run
  std::string passOn;      // everything but --language, for the copy
};

Arguments ParseArguments(int argc, char** argv) {
  Arguments arguments;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--language" && i + 1 < argc) {
      arguments.language = argv[++i];
      continue;
    }
    if (argument == "--staged") arguments.staged = true;
    if (argument == "/auto" && i + 1 < argc) arguments.shotFolder = argv[i + 1];
    arguments.passOn += " \"" + argument + "\"";
  }
  return arguments;
}

// The pages find Kelvrares.dll in the driver's own folder before anywhere
// else, so another language runs from a copy of the driver in a folder of
// its own, with that language's library beside it. Returns the copy's exit
// code; the folder is removed afterwards.
int RunStaged(const std::string& folder, const std::string& library, const std::string& language,
              const std::string& passOn) {
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  const std::string stage = std::string(temp) + "KelvraSetup-" + language;
  CreateDirectoryA(stage.c_str(), nullptr);
  const std::string self = NameOf(ExecutablePath());
  const std::string ini = self.substr(0, self.find_last_of('.')) + ".ini";
  const std::pair<std::string, std::string> copies[] = {
      {folder + "\\" + self, self}, {folder + "\\Kelvra.dll", "Kelvra.dll"},
      {folder + "\\" + ini, ini},   {folder + "\\Options.ini", "Options.ini"},
      {library, "Kelvrares.dll"},
  };
  for (const auto& [from, to] : copies) {
    if (!CopyFileA(from.c_str(), (stage + "\\" + to).c_str(), FALSE)) {
      std::printf("%s could not be copied to %s.\n", from.c_str(), stage.c_str());
      return 4;
    }
  }
  std::string commandLine = "\"" + stage + "\\" + self + "\" --staged" + passOn;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  DWORD exitCode = 4;
  if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                     &startup, &process)) {
    const kit::ScopedKernelHandle processHandle(process.hProcess), thread(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &exitCode);
  } else {
    std::printf("The %s copy of the driver could not be started.\n", language.c_str());
  }
  for (const auto& copy : copies) DeleteFileA((stage + "\\" + copy.second).c_str());
  RemoveDirectoryA(stage.c_str());
  return static_cast<int>(exitCode);
}

// Runs the wizard; returns the process exit code.
int RunWizard(HMODULE library, const DriverSettings& settings, Autopilot* autopilot) {
  size_t page = 0;
  while (page < settings.pages.size()) {
    const std::string& name = settings.pages[page].exportName;
    KelvraPageFunction show = GetKelvraPage(library, name.c_str());
    if (!show) {
      std::printf("Kelvra.dll has no page %s; skipped.\n", name.c_str());
      ++page;
      continue;
    }
    WriteActiveProduct(settings.pages[page].active);
    if (autopilot) autopilot->ExpectPage(name);
    const int result = show();
    std::printf("%-24s -> %d\n", name.c_str(), result);
    if (result == KELVRA_NEXT) {
      ++page;
    } else if (result == KELVRA_BACK) {
      if (page > 0) --page;
    } else if (result == KELVRA_CANCEL) {
      std::printf("Setup cancelled.\n");
      return 2;
    } else {
      std::printf("The page could not be shown (result %d).\n", result);
      return 3;
    }
  }
  std::printf("Setup complete.\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const std::string folder = FolderOf(ExecutablePath());
  // Its own name with ".ini", the file the pages read as the driver INI.
  const DriverSettings settings = ReadDriverSettings(kelvra::DriverIniPathOf(ExecutablePath()));
  const Arguments arguments = ParseArguments(argc, argv);
  const std::string language = arguments.language.empty() ? settings.language : arguments.language;
  if (!arguments.staged && !language.empty() && language != "en") {
    const std::string library = folder + "\\" + language + "\\Kelvrares.dll";
    if (FileExists(library)) return RunStaged(folder, library, language, arguments.passOn);
    std::printf("There is no %s; the pages stay in English.\n", library.c_str());
  }
  WriteDriverValues(settings);

  kit::ScopedModule library(LoadLibraryA((folder + "\\Kelvra.dll").c_str()));
  if (!library) {
    std::printf("Kelvra.dll could not be loaded from %s.\n", folder.c_str());
    return 4;
  }
  std::unique_ptr<Autopilot> autopilot;
  if (!arguments.shotFolder.empty())
    autopilot = std::make_unique<Autopilot>(GetCurrentThreadId(), arguments.shotFolder);

  const int exitCode = RunWizard(library.get(), settings, autopilot.get());
  autopilot.reset();
  library.reset();
  std::printf("\nStored under HKEY_CURRENT_USER:\n");
  PrintStoredValues();
  return exitCode;
}
