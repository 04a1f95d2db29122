// Case-blind text comparison and upper-casing. The native build folds ASCII
// only; the Windows build follows the ANSI code page.
#pragma once

#include <string>

namespace kelvra {

bool EqualsNoCase(const std::string& a, const std::string& b);
std::string ToUpper(const std::string& text);
// Whether `byte` begins a two-byte character of the ANSI code page: the
// lead-byte test the text rules take (framework/ansi_text.h). None in the
// native build, which stands for a single-byte code page.
bool IsAnsiLeadByte(unsigned char byte);

}  // namespace kelvra
