#include "kit/pending_exception.h"

namespace kit {
namespace {

thread_local std::exception_ptr t_pending;

}  // namespace

void SetPendingException(std::exception_ptr error) {
  if (!t_pending) t_pending = error;  // the first one is the cause
}

void RethrowPendingException() {
  if (!t_pending) return;
  std::exception_ptr error = t_pending;
  t_pending = nullptr;
  std::rethrow_exception(error);
}

}  // namespace kit
