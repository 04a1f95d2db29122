#include "framework/driver_files.h"

#include <gtest/gtest.h>

namespace kelvra {
namespace {

// The driver's full path, however long; no path gives no INI file at all,
// never one the system would pick (".ini" in its own folder, "\Options.ini").
TEST(DriverFiles, IniFilesFollowTheWholeDriverPath) {
  const std::string deep = "C:\\" + std::string(300, 'd') + "\\Setup.v2";
  const struct {
    std::string executable, driverIni, options;
  } cases[] = {
      {"D:\\Setup\\Setup.exe", "D:\\Setup\\Setup.ini", "D:\\Setup\\Options.ini"},
      {"D:\\Renamed.exe", "D:\\Renamed.ini", "D:\\Options.ini"},
      {"D:\\a.b\\Setup", "D:\\a.b\\Setup.ini", "D:\\a.b\\Options.ini"},
      {deep + "\\Setup.exe", deep + "\\Setup.ini", deep + "\\Options.ini"},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DriverIniPathOf(c.executable), c.driverIni) << c.executable;
    EXPECT_EQ(PathBesideOf(c.executable, "Options.ini"), c.options) << c.executable;
  }
}

}  // namespace
}  // namespace kelvra
