// Lead-byte tests for the text rules: a single-byte code page, and 932,
// whose lead bytes are 0x81 to 0x9F and 0xE0 to 0xFC.
#pragma once

#include "framework/ansi_text.h"

inline bool SingleByteLead(unsigned char) {
  return false;
}
inline bool Cp932Lead(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
constexpr kelvra::LeadByteTest kSingleByte = SingleByteLead;
constexpr kelvra::LeadByteTest kCp932 = Cp932Lead;
