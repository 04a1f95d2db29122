#include "framework/ansi_text.h"

#include <cstring>

namespace kelvra {
namespace {

// Calls visit(begin, end) for every character, front to back: only a walk
// from the start tells a trail byte from a character of its own.
template <class Visit>
void ForEachCharacter(const std::string& text, LeadByteTest isLead, Visit visit) {
  for (std::size_t at = 0, end; at < text.size(); at = end) {
    end = isLead(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? at + 2 : at + 1;
    visit(at, end);
  }
}

}  // namespace

std::size_t TrailingBackslashes(const std::string& text, LeadByteTest isLead) {
  std::size_t run = text.size();
  ForEachCharacter(text, isLead, [&](std::size_t at, std::size_t) {
    if (text[at] != '\\')
      run = text.size();
    else if (run == text.size())
      run = at;
  });
  return run;
}

std::size_t FindLastCharacter(const std::string& text, const char* separators,
                              LeadByteTest isLead) {
  std::size_t found = std::string::npos;
  ForEachCharacter(text, isLead, [&](std::size_t at, std::size_t) {
    if (text[at] != '\0' && std::strchr(separators, text[at])) found = at;
  });
  return found;
}

std::string CutToLength(const std::string& text, std::size_t length, LeadByteTest isLead) {
  if (text.size() <= length) return text;
  std::size_t end = 0;
  ForEachCharacter(text, isLead, [&](std::size_t, std::size_t next) {
    if (next <= length) end = next;
  });
  return text.substr(0, end);
}

CharacterSearch::CharacterSearch(const std::string& text, LeadByteTest isLead)
    : text_(text), starts_(text.size(), false) {
  ForEachCharacter(text, isLead, [&](std::size_t at, std::size_t) { starts_[at] = true; });
}

bool CharacterSearch::Contains(const std::string& part) const {
  for (std::size_t at = text_.find(part); at != std::string::npos; at = text_.find(part, at + 1)) {
    if (at == text_.size() || starts_[at]) return true;
  }
  return false;
}

}  // namespace kelvra
