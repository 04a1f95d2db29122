// Narrow text walked by characters of its code page. In the double-byte
// code pages (932, 936, 950) the second byte of a character can be any of
// 0x40 to 0xFE, the backslash and the ASCII letters among them, so a rule
// that finds or cuts at a byte must first know where characters begin.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kelvra {

// True when `byte` begins a two-byte character. The Windows build passes
// IsAnsiLeadByte (framework/text_compare.h); a single-byte code page has
// no lead bytes. A lead byte at the very end stands alone.
using LeadByteTest = bool (*)(unsigned char byte);

// Where the run of backslash characters that ends `text` begins; the size
// of `text` when its last character is no backslash.
std::size_t TrailingBackslashes(const std::string& text, LeadByteTest isLead);

// Where the last character that is one of `separators` (single-byte
// characters) begins; npos without one.
std::size_t FindLastCharacter(const std::string& text, const char* separators, LeadByteTest isLead);

// At most `length` bytes of `text`, cut before a character that would not
// fit whole.
std::string CutToLength(const std::string& text, std::size_t length, LeadByteTest isLead);

// One text searched for many parts, walked once: a part is found only where
// a character of the text begins, never inside one.
class CharacterSearch {
 public:
  CharacterSearch(const std::string& text, LeadByteTest isLead);
  bool Contains(const std::string& part) const;

 private:
  std::string text_;
  std::vector<bool> starts_;  // one per byte: a character begins there
};

}  // namespace kelvra
