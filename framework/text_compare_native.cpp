// ASCII-only folding for the native build; characters outside A-Z/a-z compare as-is.
#include "framework/text_compare.h"

namespace kelvra {
namespace {

wchar_t AsciiUpper(wchar_t c) {
  return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

}  // namespace

bool EqualsNoCase(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (std::wstring::size_type i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

std::wstring ToUpper(const std::wstring& text) {
  std::wstring upper = text;
  for (wchar_t& c : upper) c = AsciiUpper(c);
  return upper;
}

}  // namespace kelvra
