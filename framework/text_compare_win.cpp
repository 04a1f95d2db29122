// Windows build: comparison and upper-casing follow the ANSI code page, so
// multibyte characters fold the way the rest of the shell folds them.
#include "framework/text_compare.h"

#include <windows.h>
#include <mbstring.h>

namespace kelvra {

bool EqualsNoCase(const std::string& a, const std::string& b) {
  const auto* left = reinterpret_cast<const unsigned char*>(a.c_str());
  const auto* right = reinterpret_cast<const unsigned char*>(b.c_str());
  return _mbsicmp(left, right) == 0;
}

bool IsAnsiLeadByte(unsigned char byte) {
  return IsDBCSLeadByte(byte) != FALSE;
}

std::string ToUpper(const std::string& text) {
  std::string upper = text;
  if (!upper.empty()) CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
  return upper;
}

}  // namespace kelvra
