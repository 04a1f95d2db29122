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

inline std::string Text(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace fuzz
