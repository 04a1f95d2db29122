#include "framework/driver_files.h"

namespace kelvra {

std::wstring DriverIniPathOf(const std::wstring& executable) {
  if (executable.empty()) return std::wstring();
  const std::wstring::size_type name = executable.find_last_of(L'\\');
  const std::wstring::size_type dot = executable.find_last_of(L'.');
  const bool hasExtension = dot != std::wstring::npos && (name == std::wstring::npos || dot > name);
  return executable.substr(0, hasExtension ? dot : executable.size()) + L".ini";
}

std::wstring PathBesideOf(const std::wstring& executable, const std::wstring& fileName) {
  const std::wstring::size_type name = executable.find_last_of(L'\\');
  if (name == std::wstring::npos) return std::wstring();
  return executable.substr(0, name) + L"\\" + fileName;
}

}  // namespace kelvra
