// The base of every test that touches the setup's registry tree or INI
// files: the tree is empty when a test starts and is emptied again when it
// ends, and INI files written beside the test program are removed.
#pragma once

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <windows.h>

namespace test {

extern const char kSetupRoot[];
extern const char kOptionsKey[];
extern const char kFerrixKey[];
extern const char kInstallProductKey[];

// The folder of this test program, without a trailing backslash.
std::string ProgramFolder();

// Plain Win32 registry access on HKEY_CURRENT_USER, independent of the code under test.
void RegSetString(const std::string& key, const std::string& name, const std::string& value);
void RegSetDword(const std::string& key, const std::string& name, DWORD value);
void RegSetRaw(const std::string& key, const std::string& name, DWORD type, const void* data,
               DWORD size);
std::optional<std::string> RegGetString(const std::string& key, const std::string& name);
std::optional<DWORD> RegGetDword(const std::string& key, const std::string& name);
bool RegKeyExists(const std::string& key);
// Every value and key below the setup root, as "key|name|type|data" lines.
std::string SnapshotSetupTree();

class SetupTest : public ::testing::Test {
 public:
  // Replace the whole text of the driver INI (this program's name with .ini)
  // or of Options.ini beside this program.
  static void WriteDriverIni(const std::string& text);
  static void WriteOptionsIni(const std::string& text);

 protected:
  void SetUp() override;
  void TearDown() override;

  static std::string DriverIniFile();
  static std::string OptionsIniFile();

  static void ClearSetupTree();
};

}  // namespace test
