// ASCII-only folding for the native build; bytes outside A-Z/a-z compare as-is.
#include "framework/text_compare.h"

namespace kelvra {
namespace {

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool EqualsNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::string::size_type i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

bool IsAnsiLeadByte(unsigned char) {
  return false;
}

std::string ToUpper(const std::string& text) {
  std::string upper = text;
  for (char& c : upper) c = AsciiUpper(c);
  return upper;
}

}  // namespace kelvra
