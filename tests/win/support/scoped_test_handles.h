// Owners of what only the tests and the benchmark make: hooks on a page's
// thread, and windows made to host a control that no one else destroys.
#pragma once

#include "kit/scoped_handle.h"

namespace test {

struct HookTraits {
  using Handle = HHOOK;
  static Handle Null() { return nullptr; }
  static void Close(Handle handle) { UnhookWindowsHookEx(handle); }
};
using ScopedHook = kit::ScopedHandle<HookTraits>;

struct WindowTraits {
  using Handle = HWND;
  static Handle Null() { return nullptr; }
  static void Close(Handle handle) { DestroyWindow(handle); }
};
using ScopedWindow = kit::ScopedHandle<WindowTraits>;

}  // namespace test
