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

std::unique_ptr<kelvra::IniSection> ReadWholeSection(const std::string& section,
                                                     const std::string& file) {
  if (file.empty() || section.size() > kMaxIniNameLength)
    return std::make_unique<kelvra::IniSection>("", 0, kelvra::IsAnsiLeadByte);
  for (DWORD size = 64 << 10; size <= kLargestSectionRead; size *= 2) {
    std::vector<char> buffer(size);
    const DWORD length =
        GetPrivateProfileSectionA(section.c_str(), buffer.data(), size, file.c_str());
    // A full buffer is reported as its size less two.
    if (length < size - 2)
      return std::make_unique<kelvra::IniSection>(buffer.data(), length, kelvra::IsAnsiLeadByte);
  }
  return nullptr;
}

}  // namespace

std::string CIniFile::PathBesideDriver(const std::string& fileName) const {
  return kelvra::PathBesideOf(kit::ModuleFileName(nullptr), fileName);
}

std::string CIniFile::DriverIniPath() const {
  return kelvra::DriverIniPathOf(kit::ModuleFileName(nullptr));
}

std::string CIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& file) const {
  // No file: the system would read one of its own choosing.
  if (file.empty() || section.size() > kMaxIniNameLength || key.size() > kMaxIniNameLength)
    return std::string();
  char buffer[1024] = "";
  const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer,
                                                sizeof buffer, file.c_str());
  // A double-byte character cut by the buffer comes back as a NUL, counted.
  return std::string(buffer, strnlen(buffer, length));
}

std::string CIniFile::ReadSetupTitle(const std::string& file) const {
  return ReadString("TREL_OPTIONS", "SETUP_TITLE", file);
}

CIniSectionReader::CIniSectionReader(const CIniFile& ini, std::string section, std::string file)
    : ini_(ini),
      section_(std::move(section)),
      file_(std::move(file)),
      whole_(ReadWholeSection(section_, file_)) {}

std::string CIniSectionReader::ReadString(const std::string& key) const {
  if (!whole_) return ini_.ReadString(section_, key, file_);
  if (key.size() > kMaxIniNameLength) return std::string();
  return whole_->Value(key);
}
