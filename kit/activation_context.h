// Activation contexts made from a manifest resource of a module: windows and
// controls created while one is active bind to the libraries it names.
#pragma once

#include <windows.h>

namespace kit {

class ActivationContext {
 public:
  // Holds no context when the module has no such manifest or it cannot be
  // made: activating it then leaves the thread's context as it was.
  ActivationContext(HMODULE module, UINT manifestId);
  ~ActivationContext();
  ActivationContext(const ActivationContext&) = delete;
  ActivationContext& operator=(const ActivationContext&) = delete;

  HANDLE Handle() const { return context_; }

 private:
  HANDLE context_ = INVALID_HANDLE_VALUE;
};

// Active on this thread while the object lives.
class ScopedActivation {
 public:
  explicit ScopedActivation(const ActivationContext& context);
  ~ScopedActivation();
  ScopedActivation(const ScopedActivation&) = delete;
  ScopedActivation& operator=(const ScopedActivation&) = delete;

 private:
  ULONG_PTR cookie_ = 0;
};

}  // namespace kit
