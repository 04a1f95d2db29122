#include "framework/ini_section.h"

#include <cstring>

namespace kelvra {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string Trimmed(const char* begin, const char* end) {
  while (begin < end && IsBlank(*begin)) ++begin;
  while (end > begin && IsBlank(end[-1])) --end;
  return std::string(begin, end);
}

// Only ASCII letters fold: the keys looked up are ASCII names.
std::string UpperAscii(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

std::string WithoutEnclosingQuotes(const std::string& value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

IniSection::IniSection(const char* block, size_t size, LeadByteTest isLead) : isLead_(isLead) {
  const char* const end = block + size;
  for (const char* entry = block; entry < end && *entry;) {
    const char* entryEnd = static_cast<const char*>(std::memchr(entry, '\0', end - entry));
    if (!entryEnd) entryEnd = end;
    const char* equals = static_cast<const char*>(std::memchr(entry, '=', entryEnd - entry));
    const std::string key = UpperAscii(Trimmed(entry, equals ? equals : entryEnd));
    const std::string value = equals ? Trimmed(equals + 1, entryEnd) : std::string();
    values_.emplace(key, value);  // the first of a name wins, as in a key read
    entry = entryEnd + 1;
  }
}

std::string IniSection::Value(const std::string& key) const {
  const auto found = values_.find(UpperAscii(key));
  if (found == values_.end()) return std::string();
  return CutToLength(WithoutEnclosingQuotes(found->second), kMaxIniValueLength, isLead_);
}

}  // namespace kelvra
