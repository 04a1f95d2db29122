#include "framework/ini_file.h"

#include <windows.h>
#include <shlwapi.h>

namespace {

// The executable of the process (the setup driver), not this library.
std::string DriverExecutablePath() {
  char path[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  return path;
}

}  // namespace

std::string CIniFile::PathBesideDriver(const std::string& fileName) const {
  char folder[MAX_PATH];
  lstrcpynA(folder, DriverExecutablePath().c_str(), MAX_PATH);
  PathRemoveFileSpecA(folder);
  return std::string(folder) + "\\" + fileName;
}

std::string CIniFile::DriverIniPath() const {
  char path[MAX_PATH];
  lstrcpynA(path, DriverExecutablePath().c_str(), MAX_PATH);
  PathRemoveExtensionA(path);
  return std::string(path) + ".ini";
}

std::string CIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& file) const {
  if (section.size() > kMaxIniNameLength || key.size() > kMaxIniNameLength) return std::string();
  char buffer[1024] = "";
  const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer,
                                                sizeof buffer, file.c_str());
  return std::string(buffer, length);
}

std::string CIniFile::ReadSetupTitle(const std::string& file) const {
  return ReadString("TREL_OPTIONS", "SETUP_TITLE", file);
}
