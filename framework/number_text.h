// Whole numbers read from INI and table text, shared by the pages and the
// feature records; no windows.h, so the native tests and fuzzers build it.
#pragma once

#include <string>

namespace kelvra {

// atoi's rules, but saturating at INT_MAX / INT_MIN instead of overflowing.
int ParseLeadingInt(const std::wstring& text);

}  // namespace kelvra
