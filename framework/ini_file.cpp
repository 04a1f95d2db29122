#include "framework/ini_file.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "framework/driver_files.h"
#include "framework/text_compare.h"
#include "kit/app.h"

namespace {

// Sections beyond this many characters are read key by key.
constexpr DWORD kLargestSectionRead = 64 << 20;

std::unique_ptr<kelvra::IniSection> ReadWholeSection(const std::wstring& section,
                                                     const std::wstring& file) {
  if (file.empty() || section.size() > kMaxIniNameLength)
    return std::make_unique<kelvra::IniSection>(L"", 0);
  for (DWORD size = 64 << 10; size <= kLargestSectionRead; size *= 2) {
    std::vector<wchar_t> buffer(size);
    const DWORD length =
        GetPrivateProfileSectionW(section.c_str(), buffer.data(), size, file.c_str());
    // A full buffer is reported as its size less two.
    if (length < size - 2) return std::make_unique<kelvra::IniSection>(buffer.data(), length);
  }
  return nullptr;
}

}  // namespace

std::wstring CIniFile::PathBesideDriver(const std::wstring& fileName) const {
  return kelvra::PathBesideOf(kit::ModuleFileName(nullptr), fileName);
}

std::wstring CIniFile::DriverIniPath() const {
  return kelvra::DriverIniPathOf(kit::ModuleFileName(nullptr));
}

std::wstring CIniFile::OptionsIniPath() const {
  return PathBesideDriver(L"Options.ini");
}

std::wstring CIniFile::ReadString(const std::wstring& section, const std::wstring& key,
                                  const std::wstring& file) const {
  // No file: the system would read one of its own choosing.
  if (file.empty() || section.size() > kMaxIniNameLength || key.size() > kMaxIniNameLength)
    return std::wstring();
  wchar_t buffer[1024] = L"";
  const DWORD length =
      GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer,
                               static_cast<DWORD>(std::size(buffer)), file.c_str());
  // Never past a NUL the reader counted in.
  return std::wstring(buffer, wcsnlen(buffer, length));
}

std::wstring CIniFile::ReadSetupTitle(const std::wstring& file) const {
  return ReadString(L"TREL_OPTIONS", L"SETUP_TITLE", file);
}

CIniSectionReader::CIniSectionReader(const CIniFile& ini, std::wstring section, std::wstring file)
    : ini_(ini),
      section_(std::move(section)),
      file_(std::move(file)),
      whole_(ReadWholeSection(section_, file_)) {}

std::wstring CIniSectionReader::ReadString(const std::wstring& key) const {
  if (!whole_) return ini_.ReadString(section_, key, file_);
  if (key.size() > kMaxIniNameLength) return std::wstring();
  return whole_->Value(key);
}
