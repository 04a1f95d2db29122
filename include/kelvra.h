// Kelvra.dll's contract with a setup driver: every page export has this type,
// takes no arguments and returns one of these results.
#pragma once

#include <windows.h>

typedef int(__cdecl* KelvraPageFunction)(void);

enum KelvraPageResult {
  KELVRA_NEXT = 1,          // Next: the page stored its values
  KELVRA_CANCEL = 2,        // Cancel, confirmed by the user
  KELVRA_BACK = 1001,       // Back: nothing stored
  KELVRA_NO_RESOURCES = 0,  // Kelvrares.dll could not be loaded; no page shown
};

#ifdef __cplusplus
// The page export `name` of a loaded Kelvra.dll, or null.
inline KelvraPageFunction GetKelvraPage(HMODULE library, const char* name) {
  // FARPROC is a generic function pointer; the detour through void* is the
  // documented way to turn it into the real type.
  return reinterpret_cast<KelvraPageFunction>(
      reinterpret_cast<void*>(GetProcAddress(library, name)));
}
#endif
