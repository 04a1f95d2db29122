// Holds an SRW lock exclusively for a scope.
#pragma once

#include <windows.h>

namespace kit {

class HeldLock {
 public:
  explicit HeldLock(SRWLOCK* lock) : lock_(lock) { AcquireSRWLockExclusive(lock_); }
  ~HeldLock() { ReleaseSRWLockExclusive(lock_); }
  HeldLock(const HeldLock&) = delete;
  HeldLock& operator=(const HeldLock&) = delete;

 private:
  SRWLOCK* lock_;
};

}  // namespace kit
