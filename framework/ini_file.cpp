#include "framework/ini_file.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "framework/driver_files.h"
#include "framework/text_compare.h"

namespace {

// The full path of the process's executable (the setup driver, not this
// library); empty when it cannot be read. A path cut at the buffer's end
// fills it, so the buffer grows until the path fits.
std::string DriverExecutablePath() {
  for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
    std::vector<char> path(size);
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), size);
    if (length == 0) return std::string();
    if (length < size) return std::string(path.data(), length);
  }
  return std::string();
}

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
  return kelvra::PathBesideOf(DriverExecutablePath(), fileName);
}

std::string CIniFile::DriverIniPath() const {
  return kelvra::DriverIniPathOf(DriverExecutablePath());
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
