#include "framework/ini_section.h"

#include <cwchar>

namespace kelvra {
namespace {

bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t';
}

std::wstring Trimmed(const wchar_t* begin, const wchar_t* end) {
  while (begin < end && IsBlank(*begin)) ++begin;
  while (end > begin && IsBlank(end[-1])) --end;
  return std::wstring(begin, end);
}

// Only ASCII letters fold: the keys looked up are ASCII names.
std::wstring UpperAscii(std::wstring text) {
  for (wchar_t& c : text)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return text;
}

std::wstring WithoutEnclosingQuotes(const std::wstring& value) {
  if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

IniSection::IniSection(const wchar_t* block, size_t size) {
  const wchar_t* const end = block + size;
  for (const wchar_t* entry = block; entry < end && *entry;) {
    const wchar_t* entryEnd = std::wmemchr(entry, L'\0', end - entry);
    if (!entryEnd) entryEnd = end;
    const wchar_t* equals = std::wmemchr(entry, L'=', entryEnd - entry);
    const std::wstring key = UpperAscii(Trimmed(entry, equals ? equals : entryEnd));
    const std::wstring value = equals ? Trimmed(equals + 1, entryEnd) : std::wstring();
    values_.emplace(key, value);  // the first of a name wins, as in a key read
    entry = entryEnd + 1;
  }
}

std::wstring IniSection::Value(const std::wstring& key) const {
  const auto found = values_.find(UpperAscii(key));
  if (found == values_.end()) return std::wstring();
  return WithoutEnclosingQuotes(found->second).substr(0, kMaxIniValueLength);
}

}  // namespace kelvra
