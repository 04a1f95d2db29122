// Case-blind text comparison and upper-casing. The native build folds ASCII
// only; the Windows build folds every letter as the file system does.
#pragma once

#include <string>

namespace kelvra {

bool EqualsNoCase(const std::wstring& a, const std::wstring& b);
std::wstring ToUpper(const std::wstring& text);

}  // namespace kelvra
