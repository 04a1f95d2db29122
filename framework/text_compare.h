// Case-blind text comparison and upper-casing. The native build folds ASCII
// only; the Windows build follows the ANSI code page.
#pragma once

#include <string>

namespace kelvra {

bool EqualsNoCase(const std::string& a, const std::string& b);
std::string ToUpper(const std::string& text);

}  // namespace kelvra
