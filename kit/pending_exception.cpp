#include "kit/pending_exception.h"

namespace kit {
namespace {

// Pages run on the driver's one thread. Not thread_local: that would make the
// runtime pin the DLL in memory, so FreeLibrary could never unload it.
std::exception_ptr g_pending;

}  // namespace

void SetPendingException(std::exception_ptr error) {
  if (!g_pending) g_pending = error;  // the first one is the cause
}

void RethrowPendingException() {
  if (!g_pending) return;
  std::exception_ptr error = g_pending;
  g_pending = nullptr;
  std::rethrow_exception(error);
}

}  // namespace kit
