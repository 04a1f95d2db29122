#include "tests/win/support/setup_test.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "kit/scoped_handle.h"

namespace test {

const wchar_t kSetupRoot[] = L"Software\\Vorlane\\TrelSetup\\Version11\\Setups";
const wchar_t kOptionsKey[] = L"Software\\Vorlane\\TrelSetup\\Version11\\Setups\\Options";
const wchar_t kFerrixKey[] = L"Software\\Vorlane\\TrelSetup\\Version11\\Setups\\Options\\Ferrix";
const wchar_t kLumoKey[] = L"Software\\Vorlane\\TrelSetup\\Version11\\Setups\\Options\\Lumo";
const wchar_t kLookglassKey[] =
    L"Software\\Vorlane\\TrelSetup\\Version11\\Setups\\Options\\Lookglass";
const wchar_t kInstallProductKey[] =
    L"Software\\Vorlane\\TrelSetup\\Version11\\Setups\\InstallProduct";

std::wstring OptionKey(const std::wstring& leaf) {
  return kOptionsKey + (L"\\" + leaf);
}

namespace {

// Under the Japanese locale (the *_ja tests) Wine has to give code page 932:
// any other fails the whole program, so the double-byte cases can never
// pass or skip on a broken set-up.
class JapaneseCodePage : public ::testing::Environment {
  void SetUp() override {
    wchar_t locale[64] = L"";
    GetEnvironmentVariableW(L"LC_ALL", locale, std::size(locale));
    if (std::wstring(locale).rfind(L"ja_JP", 0) == 0) {
      ASSERT_EQ(GetACP(), 932u) << L"LC_ALL=" << locale << L" gave another ANSI code page";
    }
  }
};
::testing::Environment* const kJapaneseCodePage =
    ::testing::AddGlobalTestEnvironment(new JapaneseCodePage);

kit::ScopedRegistryKey OpenKey(const std::wstring& path, bool create) {
  HKEY key = nullptr;
  const LONG status = create ? RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                                               KEY_ALL_ACCESS, nullptr, &key, nullptr)
                             : RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
  return kit::ScopedRegistryKey(status == ERROR_SUCCESS ? key : nullptr);
}

void Snapshot(const std::wstring& path, std::wstring* out) {
  const kit::ScopedRegistryKey key = OpenKey(path, false);
  if (!key.get()) return;
  wchar_t name[512];
  std::vector<BYTE> data(8192);
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = std::size(name), type = 0, size = static_cast<DWORD>(data.size());
    if (RegEnumValueW(key.get(), i, name, &nameSize, nullptr, &type, data.data(), &size) !=
        ERROR_SUCCESS)
      break;
    *out += path + L"|" + name + L"|" + std::to_wstring(type) + L"|" +
            std::wstring(data.begin(), data.begin() + size) + L"\n";
  }
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = std::size(name);
    if (RegEnumKeyExW(key.get(), i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    *out += path + L"\\" + name + L"\n";
    Snapshot(path + L"\\" + name, out);
  }
}

}  // namespace

// ASCII text as drivers write it, one byte a character; any other text as
// UTF-16 with its byte order mark, the form in which the system's INI
// reader takes letters outside the code page.
void WriteTextFile(const std::wstring& path, const std::wstring& text) {
  FILE* file = _wfopen(path.c_str(), L"wb");
  ASSERT_NE(file, nullptr) << path;
  if (std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; })) {
    const std::string ascii(text.begin(), text.end());
    std::fwrite(ascii.data(), 1, ascii.size(), file);
  } else {
    const wchar_t mark = 0xFEFF;
    std::fwrite(&mark, sizeof mark, 1, file);
    std::fwrite(text.data(), sizeof(wchar_t), text.size(), file);
  }
  std::fclose(file);
}

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\'));
}

void RegSetRaw(const std::wstring& key, const std::wstring& name, DWORD type, const void* data,
               DWORD size) {
  const kit::ScopedRegistryKey open = OpenKey(key, true);
  ASSERT_NE(open.get(), nullptr) << key;
  ASSERT_EQ(RegSetValueExW(open.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size),
            ERROR_SUCCESS);
}

void RegSetString(const std::wstring& key, const std::wstring& name, const std::wstring& value) {
  RegSetRaw(key, name, REG_SZ, value.c_str(),
            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void RegSetDword(const std::wstring& key, const std::wstring& name, DWORD value) {
  RegSetRaw(key, name, REG_DWORD, &value, sizeof value);
}

std::optional<std::wstring> RegGetString(const std::wstring& key, const std::wstring& name) {
  const kit::ScopedRegistryKey open = OpenKey(key, false);
  wchar_t data[4096];
  DWORD type = 0, size = sizeof data;
  if (!open.get() ||
      RegQueryValueExW(open.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data),
                       &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    return std::nullopt;
  const DWORD length = size / sizeof(wchar_t);
  return std::wstring(data, length > 0 && data[length - 1] == L'\0' ? length - 1 : length);
}

std::optional<DWORD> RegGetDword(const std::wstring& key, const std::wstring& name) {
  const kit::ScopedRegistryKey open = OpenKey(key, false);
  DWORD value = 0, type = 0, size = sizeof value;
  if (!open.get() ||
      RegQueryValueExW(open.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                       &size) != ERROR_SUCCESS ||
      type != REG_DWORD)
    return std::nullopt;
  return value;
}

bool RegKeyExists(const std::wstring& key) {
  return OpenKey(key, false).valid();
}

std::wstring SnapshotSetupTree() {
  std::wstring text;
  Snapshot(kSetupRoot, &text);
  return text;
}

void SetupTest::ClearSetupTree() {
  RegDeleteTreeW(HKEY_CURRENT_USER, kSetupRoot);
  RegDeleteKeyW(HKEY_CURRENT_USER, kSetupRoot);
}

namespace {

// Every test runs on a scratch copy of HKEY_CURRENT_USER, for this process
// only, so that no test can touch a real user's setup tree.
const std::wstring kSandbox =
    L"Software\\KelvraTestSandbox\\" + std::to_wstring(GetCurrentProcessId());
kit::ScopedRegistryKey g_sandbox;

void EnterRegistrySandbox() {
  g_sandbox = OpenKey(kSandbox, true);
  ASSERT_TRUE(g_sandbox);
  ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, g_sandbox.get()), ERROR_SUCCESS);
}

void LeaveRegistrySandbox() {
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  g_sandbox.reset();
  RegDeleteTreeW(HKEY_CURRENT_USER, kSandbox.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, kSandbox.c_str());
}

}  // namespace

void SetupTest::SetUp() {
  EnterRegistrySandbox();
  ClearSetupTree();
  ASSERT_FALSE(RegKeyExists(kSetupRoot));
  DeleteFileW(DriverIniFile().c_str());
  DeleteFileW(OptionsIniFile().c_str());
}

void SetupTest::TearDown() {
  ClearSetupTree();
  DeleteFileW(DriverIniFile().c_str());
  DeleteFileW(OptionsIniFile().c_str());
  LeaveRegistrySandbox();
}

std::wstring SetupTest::DriverIniFile() {
  wchar_t path[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring file = path;
  return file.substr(0, file.find_last_of(L'.')) + L".ini";
}

std::wstring SetupTest::OptionsIniFile() {
  return ProgramFolder() + L"\\Options.ini";
}

void SetupTest::WriteDriverIni(const std::wstring& text) {
  WriteTextFile(DriverIniFile(), text);
}

void SetupTest::WriteOptionsIni(const std::wstring& text) {
  WriteTextFile(OptionsIniFile(), text);
}

}  // namespace test
