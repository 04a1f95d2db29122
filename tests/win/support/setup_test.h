// The base of every test that touches the setup's registry tree or INI
// files: the tree is empty when a test starts and is emptied again when it
// ends, and INI files written beside the test program are removed.
#pragma once

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <windows.h>

namespace test {

extern const wchar_t kSetupRoot[];
extern const wchar_t kOptionsKey[];
extern const wchar_t kFerrixKey[];
extern const wchar_t kLumoKey[];
extern const wchar_t kLookglassKey[];
extern const wchar_t kInstallProductKey[];

// The full path of key `leaf` below kOptionsKey.
std::wstring OptionKey(const std::wstring& leaf);

// ASCII text as drivers write it, one byte a character; any other text as
// UTF-16 with its byte order mark, the form in which the system's INI reader
// takes letters outside the code page.
void WriteTextFile(const std::wstring& path, const std::wstring& text);

// The folder of this test program, without a trailing backslash.
std::wstring ProgramFolder();

// Plain Win32 registry access on HKEY_CURRENT_USER, independent of the code under test.
void RegSetString(const std::wstring& key, const std::wstring& name, const std::wstring& value);
void RegSetDword(const std::wstring& key, const std::wstring& name, DWORD value);
void RegSetRaw(const std::wstring& key, const std::wstring& name, DWORD type, const void* data,
               DWORD size);
std::optional<std::wstring> RegGetString(const std::wstring& key, const std::wstring& name);
std::optional<DWORD> RegGetDword(const std::wstring& key, const std::wstring& name);
bool RegKeyExists(const std::wstring& key);
// Every value and key below the setup root, as "key|name|type|data" lines.
std::wstring SnapshotSetupTree();

class SetupTest : public ::testing::Test {
 public:
  // Replace the whole text of the driver INI (this program's name with .ini)
  // or of Options.ini beside this program.
  static void WriteDriverIni(const std::wstring& text);
  static void WriteOptionsIni(const std::wstring& text);

 protected:
  void SetUp() override;
  void TearDown() override;

  static std::wstring DriverIniFile();
  static std::wstring OptionsIniFile();

  static void ClearSetupTree();
};

}  // namespace test
