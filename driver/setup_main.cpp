// Setup.exe [/auto <folder>]: shows the pages listed in Setup.ini with
// Next/Back navigation and prints what they stored. With /auto it presses
// Next on every page by itself and saves a picture of each into <folder>.
#include <cstdio>
#include <cstring>
#include <memory>

#include "driver/setup_driver.h"
#include "library/kelvra.h"

namespace {

std::string ExecutablePath() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

std::string FolderOf(const std::string& path) {
  return path.substr(0, path.find_last_of('\\'));
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
  const DriverSettings settings = ReadDriverSettings(folder + "\\Setup.ini");
  WriteDriverValues(settings);

  kit::ScopedModule library(LoadLibraryA((folder + "\\Kelvra.dll").c_str()));
  if (!library) {
    std::printf("Kelvra.dll could not be loaded from %s.\n", folder.c_str());
    return 4;
  }
  std::unique_ptr<Autopilot> autopilot;
  if (argc >= 3 && std::strcmp(argv[1], "/auto") == 0)
    autopilot = std::make_unique<Autopilot>(GetCurrentThreadId(), argv[2]);

  const int exitCode = RunWizard(library.get(), settings, autopilot.get());
  autopilot.reset();
  library.reset();
  std::printf("\nStored under HKEY_CURRENT_USER:\n");
  PrintStoredValues();
  return exitCode;
}
