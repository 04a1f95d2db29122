// An activation context made from a manifest resource of a module, active on
// this thread while the object lives: windows and controls created meanwhile
// bind to the libraries the manifest names.
#pragma once

#include <windows.h>

namespace kit {

class ScopedActivationContext {
 public:
  // Does nothing when the module has no such manifest or the context cannot
  // be made: the caller then runs with the thread's context as it was.
  ScopedActivationContext(HMODULE module, UINT manifestId);
  ~ScopedActivationContext();
  ScopedActivationContext(const ScopedActivationContext&) = delete;
  ScopedActivationContext& operator=(const ScopedActivationContext&) = delete;

  bool IsActive() const { return cookie_ != 0; }

 private:
  HANDLE context_ = INVALID_HANDLE_VALUE;
  ULONG_PTR cookie_ = 0;
};

}  // namespace kit
