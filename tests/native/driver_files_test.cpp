#include "framework/driver_files.h"

#include <gtest/gtest.h>

namespace kelvra {
namespace {

// The driver's full path, however long; no path gives no INI file at all,
// never one the system would pick (".ini" in its own folder, "\Options.ini").
TEST(DriverFiles, IniFilesFollowTheWholeDriverPath) {
  const std::wstring deep = L"C:\\" + std::wstring(300, L'd') + L"\\Setup.v2";
  const struct {
    std::wstring executable, driverIni, options;
  } cases[] = {
      {L"D:\\Setup\\Setup.exe", L"D:\\Setup\\Setup.ini", L"D:\\Setup\\Options.ini"},
      {L"D:\\Renamed.exe", L"D:\\Renamed.ini", L"D:\\Options.ini"},
      {L"D:\\a.b\\Setup", L"D:\\a.b\\Setup.ini", L"D:\\a.b\\Options.ini"},
      {deep + L"\\Setup.exe", deep + L"\\Setup.ini", deep + L"\\Options.ini"},
      {L"", L"", L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DriverIniPathOf(c.executable), c.driverIni) << c.executable;
    EXPECT_EQ(PathBesideOf(c.executable, L"Options.ini"), c.options) << c.executable;
  }
}

}  // namespace
}  // namespace kelvra
