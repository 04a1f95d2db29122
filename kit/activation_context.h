// Activation contexts made from a manifest resource of a module: windows and
// controls created while one is active bind to the libraries it names.
#pragma once

#include <windows.h>

#include "kit/scoped_handle.h"

namespace kit {

struct ActivationContextTraits {
  using Handle = HANDLE;
  static Handle Null() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) { ReleaseActCtx(handle); }
};

// An activation's cookie; closing it deactivates.
struct ActivationTraits {
  using Handle = ULONG_PTR;
  static Handle Null() { return 0; }
  static void Close(Handle cookie) { DeactivateActCtx(0, cookie); }
};

using ActivationContext = ScopedHandle<ActivationContextTraits>;
using ScopedActivation = ScopedHandle<ActivationTraits>;

// Holds no context when the module has no such manifest or it cannot be
// made: activating it then leaves the thread's context as it was.
ActivationContext CreateActivationContext(HMODULE module, UINT manifestId);

// Active on this thread while the result lives.
ScopedActivation Activate(const ActivationContext& context);

}  // namespace kit
