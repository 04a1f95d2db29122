// What every fuzz target shares: a failed property stops the run at once,
// so that libFuzzer saves the input that broke it.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>

namespace fuzz {

inline void Require(bool condition) {
  if (!condition) std::abort();
}

// The input as UTF-16 code units, low byte first, one per wchar_t whatever
// its width, so that lone surrogates and every unit the Windows build can
// meet come up; an odd last byte is left out.
inline std::wstring Text(const uint8_t* data, size_t size) {
  std::wstring text;
  text.reserve(size / 2);
  for (size_t i = 0; i + 1 < size; i += 2)
    text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
  return text;
}

}  // namespace fuzz
