// An exception caught inside a window procedure waits here until the modal
// loop has returned, so that it never unwinds through Windows' own frames.
#pragma once

#include <exception>

namespace kit {

void SetPendingException(std::exception_ptr error);

// Rethrows and clears a waiting exception, if any.
void RethrowPendingException();

}  // namespace kit
