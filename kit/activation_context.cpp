#include "kit/activation_context.h"

namespace kit {

ScopedActivationContext::ScopedActivationContext(HMODULE module, UINT manifestId) {
  char path[MAX_PATH] = "";
  if (!GetModuleFileNameA(module, path, MAX_PATH)) return;
  ACTCTXA request{};
  request.cbSize = sizeof request;
  request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
  request.lpSource = path;
  request.hModule = module;
  request.lpResourceName = MAKEINTRESOURCEA(manifestId);
  context_ = CreateActCtxA(&request);
  if (context_ == INVALID_HANDLE_VALUE) return;
  if (!ActivateActCtx(context_, &cookie_)) cookie_ = 0;
}

ScopedActivationContext::~ScopedActivationContext() {
  if (cookie_) DeactivateActCtx(0, cookie_);
  if (context_ != INVALID_HANDLE_VALUE) ReleaseActCtx(context_);
}

}  // namespace kit
