// Windows build: letters fold by the system's own case table, the one the
// file system and the registry use for names, whatever the user's locale.
#include "framework/text_compare.h"

#include <windows.h>

namespace kelvra {

bool EqualsNoCase(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::wstring ToUpper(const std::wstring& text) {
  std::wstring upper = text;
  if (!upper.empty()) CharUpperBuffW(&upper[0], static_cast<DWORD>(upper.size()));
  return upper;
}

}  // namespace kelvra
