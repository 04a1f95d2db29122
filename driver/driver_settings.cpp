#include <cstdio>
#include <sstream>

#include "driver/setup_driver.h"
#include "kit/scoped_handle.h"

namespace {

const char kSetupRoot[] = "Software\\Vorlane\\TrelSetup\\Version11\\Setups";

std::string ReadIni(const std::string& file, const char* key) {
  char value[1024] = "";
  GetPrivateProfileStringA("SETUP_DRIVER", key, "", value, sizeof value, file.c_str());
  return value;
}

// "Export:ACTIVE,Export,..."; a page without a product keeps `active`.
std::vector<WizardPage> ParsePages(const std::string& list, const std::string& active) {
  std::vector<WizardPage> pages;
  std::stringstream stream(list);
  std::string item;
  while (std::getline(stream, item, ',')) {
    if (item.empty()) continue;
    const size_t colon = item.find(':');
    if (colon == std::string::npos)
      pages.push_back({item, active});
    else
      pages.push_back({item.substr(0, colon), item.substr(colon + 1)});
  }
  return pages;
}

void WriteString(const std::string& subKey, const char* name, const std::string& value) {
  HKEY opened = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &opened,
                      nullptr) != ERROR_SUCCESS)
    return;
  kit::ScopedRegistryKey key(opened);
  RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
}

std::string DescribeValue(DWORD type, const std::vector<BYTE>& data, DWORD size) {
  char text[64];
  if (type == REG_DWORD && size == 4) {
    DWORD number = 0;
    memcpy(&number, data.data(), 4);
    std::snprintf(text, sizeof text, "%lu (REG_DWORD)", static_cast<unsigned long>(number));
    return text;
  }
  if (type == REG_SZ) {
    std::string value(reinterpret_cast<const char*>(data.data()), size);
    return "\"" + value.substr(0, value.find('\0')) + "\"";
  }
  std::snprintf(text, sizeof text, "(type %lu, %lu bytes)", static_cast<unsigned long>(type),
                static_cast<unsigned long>(size));
  return text;
}

void PrintKey(HKEY parent, const std::string& path, const std::string& shownName) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return;
  kit::ScopedRegistryKey key(opened);
  char name[256];
  std::vector<BYTE> data(4096);
  for (DWORD index = 0;; ++index) {
    DWORD nameSize = sizeof name;
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(data.size());
    if (RegEnumValueA(key.get(), index, name, &nameSize, nullptr, &type, data.data(), &size) !=
        ERROR_SUCCESS)
      break;
    std::printf("  %s: %s = %s\n", shownName.c_str(), name,
                DescribeValue(type, data, size).c_str());
  }
  for (DWORD index = 0;; ++index) {
    DWORD nameSize = sizeof name;
    if (RegEnumKeyExA(key.get(), index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    PrintKey(key.get(), name, shownName.empty() ? name : shownName + "\\" + name);
  }
}

}  // namespace

DriverSettings ReadDriverSettings(const std::string& iniPath) {
  DriverSettings settings;
  settings.trelProduct = ReadIni(iniPath, "TRELProduct");
  settings.pelmoFlavor = ReadIni(iniPath, "PelmoFlavor");
  settings.active = ReadIni(iniPath, "active");
  settings.installDir = ReadIni(iniPath, "InstallDir");
  settings.pages = ParsePages(ReadIni(iniPath, "Pages"), settings.active);
  settings.language = ReadIni(iniPath, "Language");
  return settings;
}

void WriteDriverValues(const DriverSettings& settings) {
  const std::string root = kSetupRoot;
  WriteString(root, "TRELProduct", settings.trelProduct);
  WriteString(root, "PelmoFlavor", settings.pelmoFlavor);
  WriteActiveProduct(settings.active);
  WriteString(root + "\\InstallProduct", "TARGETDIR", settings.installDir);
}

void WriteActiveProduct(const std::string& active) {
  WriteString(std::string(kSetupRoot) + "\\Options", "active", active);
}

void PrintStoredValues() {
  PrintKey(HKEY_CURRENT_USER, kSetupRoot, "");
}
