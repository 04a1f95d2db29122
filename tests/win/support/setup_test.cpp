#include "tests/win/support/setup_test.h"

#include <cstdio>
#include <vector>

#include "kit/scoped_handle.h"

namespace test {

const char kSetupRoot[] = "Software\\Vorlane\\TrelSetup\\Version11\\Setups";
const char kOptionsKey[] = "Software\\Vorlane\\TrelSetup\\Version11\\Setups\\Options";
const char kFerrixKey[] = "Software\\Vorlane\\TrelSetup\\Version11\\Setups\\Options\\Ferrix";
const char kInstallProductKey[] = "Software\\Vorlane\\TrelSetup\\Version11\\Setups\\InstallProduct";

namespace {

// Under the Japanese locale (the *_ja tests) Wine has to give code page 932:
// any other fails the whole program, so the double-byte cases can never
// pass or skip on a broken set-up.
class JapaneseCodePage : public ::testing::Environment {
  void SetUp() override {
    char locale[64] = "";
    GetEnvironmentVariableA("LC_ALL", locale, sizeof locale);
    if (std::string(locale).rfind("ja_JP", 0) == 0) {
      ASSERT_EQ(GetACP(), 932u) << "LC_ALL=" << locale << " gave another ANSI code page";
    }
  }
};
::testing::Environment* const kJapaneseCodePage =
    ::testing::AddGlobalTestEnvironment(new JapaneseCodePage);

kit::ScopedRegistryKey OpenKey(const std::string& path, bool create) {
  HKEY key = nullptr;
  const LONG status = create ? RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                                               KEY_ALL_ACCESS, nullptr, &key, nullptr)
                             : RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
  return kit::ScopedRegistryKey(status == ERROR_SUCCESS ? key : nullptr);
}

void WriteFile(const std::string& path, const std::string& text) {
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr) << path;
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);
}

void Snapshot(const std::string& path, std::string* out) {
  const kit::ScopedRegistryKey key = OpenKey(path, false);
  if (!key.get()) return;
  char name[512];
  std::vector<BYTE> data(8192);
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = sizeof name, type = 0, size = static_cast<DWORD>(data.size());
    if (RegEnumValueA(key.get(), i, name, &nameSize, nullptr, &type, data.data(), &size) !=
        ERROR_SUCCESS)
      break;
    *out += path + "|" + name + "|" + std::to_string(type) + "|" +
            std::string(reinterpret_cast<char*>(data.data()), size) + "\n";
  }
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = sizeof name;
    if (RegEnumKeyExA(key.get(), i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    *out += path + "\\" + name + "\n";
    Snapshot(path + "\\" + name, out);
  }
}

}  // namespace

std::string ProgramFolder() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\'));
}

void RegSetRaw(const std::string& key, const std::string& name, DWORD type, const void* data,
               DWORD size) {
  const kit::ScopedRegistryKey open = OpenKey(key, true);
  ASSERT_NE(open.get(), nullptr) << key;
  ASSERT_EQ(RegSetValueExA(open.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size),
            ERROR_SUCCESS);
}

void RegSetString(const std::string& key, const std::string& name, const std::string& value) {
  RegSetRaw(key, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void RegSetDword(const std::string& key, const std::string& name, DWORD value) {
  RegSetRaw(key, name, REG_DWORD, &value, sizeof value);
}

std::optional<std::string> RegGetString(const std::string& key, const std::string& name) {
  const kit::ScopedRegistryKey open = OpenKey(key, false);
  char data[4096];
  DWORD type = 0, size = sizeof data;
  if (!open.get() ||
      RegQueryValueExA(open.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data),
                       &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    return std::nullopt;
  return std::string(data, size > 0 && data[size - 1] == '\0' ? size - 1 : size);
}

std::optional<DWORD> RegGetDword(const std::string& key, const std::string& name) {
  const kit::ScopedRegistryKey open = OpenKey(key, false);
  DWORD value = 0, type = 0, size = sizeof value;
  if (!open.get() ||
      RegQueryValueExA(open.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                       &size) != ERROR_SUCCESS ||
      type != REG_DWORD)
    return std::nullopt;
  return value;
}

bool RegKeyExists(const std::string& key) {
  return OpenKey(key, false).valid();
}

std::string SnapshotSetupTree() {
  std::string text;
  Snapshot(kSetupRoot, &text);
  return text;
}

void SetupTest::ClearSetupTree() {
  RegDeleteTreeA(HKEY_CURRENT_USER, kSetupRoot);
  RegDeleteKeyA(HKEY_CURRENT_USER, kSetupRoot);
}

namespace {

// Every test runs on a scratch copy of HKEY_CURRENT_USER, for this process
// only, so that no test can touch a real user's setup tree.
const std::string kSandbox =
    "Software\\KelvraTestSandbox\\" + std::to_string(GetCurrentProcessId());
kit::ScopedRegistryKey g_sandbox;

void EnterRegistrySandbox() {
  g_sandbox = OpenKey(kSandbox, true);
  ASSERT_TRUE(g_sandbox);
  ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, g_sandbox.get()), ERROR_SUCCESS);
}

void LeaveRegistrySandbox() {
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  g_sandbox.reset();
  RegDeleteTreeA(HKEY_CURRENT_USER, kSandbox.c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, kSandbox.c_str());
}

}  // namespace

void SetupTest::SetUp() {
  EnterRegistrySandbox();
  ClearSetupTree();
  ASSERT_FALSE(RegKeyExists(kSetupRoot));
  DeleteFileA(DriverIniFile().c_str());
  DeleteFileA(OptionsIniFile().c_str());
}

void SetupTest::TearDown() {
  ClearSetupTree();
  DeleteFileA(DriverIniFile().c_str());
  DeleteFileA(OptionsIniFile().c_str());
  LeaveRegistrySandbox();
}

std::string SetupTest::DriverIniFile() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string file = path;
  return file.substr(0, file.find_last_of('.')) + ".ini";
}

std::string SetupTest::OptionsIniFile() {
  return ProgramFolder() + "\\Options.ini";
}

void SetupTest::WriteDriverIni(const std::string& text) {
  WriteFile(DriverIniFile(), text);
}

void SetupTest::WriteOptionsIni(const std::string& text) {
  WriteFile(OptionsIniFile(), text);
}

}  // namespace test
