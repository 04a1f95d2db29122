// One drive as the disk-cost page lists it, or one space requirement (then
// only name and required are used).
#pragma once

#include <cstdint>
#include <string>

namespace kelvra {

struct DriveSpace {
  uint64_t total = 0;
  uint64_t free = 0;
  int64_t required = 0;
  int64_t remaining = 0;  // free - required; negative when the drive is short
  int isNetwork = 0;
  std::wstring name;  // "C:"
  // False for a drive that did not answer in time: only name, isNetwork
  // (when its type is known) and required mean anything then.
  bool answered = true;
};

}  // namespace kelvra
