#include "framework/driver_files.h"

namespace kelvra {

std::string DriverIniPathOf(const std::string& executable) {
  if (executable.empty()) return std::string();
  const std::string::size_type name = executable.find_last_of('\\');
  const std::string::size_type dot = executable.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && (name == std::string::npos || dot > name);
  return executable.substr(0, hasExtension ? dot : executable.size()) + ".ini";
}

std::string PathBesideOf(const std::string& executable, const std::string& fileName) {
  const std::string::size_type name = executable.find_last_of('\\');
  if (name == std::string::npos) return std::string();
  return executable.substr(0, name) + "\\" + fileName;
}

}  // namespace kelvra
