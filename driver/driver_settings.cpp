#include <cstdio>
#include <sstream>

#include "driver/setup_driver.h"
#include "kit/scoped_handle.h"

namespace {

const wchar_t kSetupRoot[] = L"Software\\Vorlane\\TrelSetup\\Version11\\Setups";

std::wstring ReadIni(const std::wstring& file, const wchar_t* key) {
  wchar_t value[1024] = L"";
  GetPrivateProfileStringW(L"SETUP_DRIVER", key, L"", value, static_cast<DWORD>(std::size(value)),
                           file.c_str());
  return value;
}

// "Export:ACTIVE,Export,..."; a page without a product keeps `active`.
std::vector<WizardPage> ParsePages(const std::wstring& list, const std::wstring& active) {
  std::vector<WizardPage> pages;
  std::wstringstream stream(list);
  std::wstring item;
  while (std::getline(stream, item, L',')) {
    if (item.empty()) continue;
    const size_t colon = item.find(L':');
    if (colon == std::wstring::npos)
      pages.push_back({item, active});
    else
      pages.push_back({item.substr(0, colon), item.substr(colon + 1)});
  }
  return pages;
}

void WriteString(const std::wstring& subKey, const wchar_t* name, const std::wstring& value) {
  HKEY opened = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &opened,
                      nullptr) != ERROR_SUCCESS)
    return;
  kit::ScopedRegistryKey key(opened);
  RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

std::wstring DescribeValue(DWORD type, const std::vector<BYTE>& data, DWORD size) {
  wchar_t text[64];
  if (type == REG_DWORD && size == 4) {
    DWORD number = 0;
    memcpy(&number, data.data(), 4);
    std::swprintf(text, std::size(text), L"%lu (REG_DWORD)", static_cast<unsigned long>(number));
    return text;
  }
  if (type == REG_SZ) {
    std::wstring value(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
    return L"\"" + value.substr(0, value.find(L'\0')) + L"\"";
  }
  std::swprintf(text, std::size(text), L"(type %lu, %lu bytes)", static_cast<unsigned long>(type),
                static_cast<unsigned long>(size));
  return text;
}

void PrintKey(HKEY parent, const std::wstring& path, const std::wstring& shownName) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return;
  kit::ScopedRegistryKey key(opened);
  wchar_t name[256];
  std::vector<BYTE> data(4096);
  for (DWORD index = 0;; ++index) {
    DWORD nameSize = static_cast<DWORD>(std::size(name));
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(data.size());
    if (RegEnumValueW(key.get(), index, name, &nameSize, nullptr, &type, data.data(), &size) !=
        ERROR_SUCCESS)
      break;
    std::wprintf(L"  %ls: %ls = %ls\n", shownName.c_str(), name,
                 DescribeValue(type, data, size).c_str());
  }
  for (DWORD index = 0;; ++index) {
    DWORD nameSize = static_cast<DWORD>(std::size(name));
    if (RegEnumKeyExW(key.get(), index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    PrintKey(key.get(), name, shownName.empty() ? name : shownName + L"\\" + name);
  }
}

}  // namespace

DriverSettings ReadDriverSettings(const std::wstring& iniPath) {
  DriverSettings settings;
  settings.trelProduct = ReadIni(iniPath, L"TRELProduct");
  settings.pelmoFlavor = ReadIni(iniPath, L"PelmoFlavor");
  settings.active = ReadIni(iniPath, L"active");
  settings.installDir = ReadIni(iniPath, L"InstallDir");
  settings.pages = ParsePages(ReadIni(iniPath, L"Pages"), settings.active);
  settings.language = ReadIni(iniPath, L"Language");
  return settings;
}

void WriteDriverValues(const DriverSettings& settings) {
  const std::wstring root = kSetupRoot;
  WriteString(root, L"TRELProduct", settings.trelProduct);
  WriteString(root, L"PelmoFlavor", settings.pelmoFlavor);
  WriteActiveProduct(settings.active);
  WriteString(root + L"\\InstallProduct", L"TARGETDIR", settings.installDir);
}

void WriteActiveProduct(const std::wstring& active) {
  WriteString(std::wstring(kSetupRoot) + L"\\Options", L"active", active);
}

void PrintStoredValues() {
  PrintKey(HKEY_CURRENT_USER, kSetupRoot, L"");
}
