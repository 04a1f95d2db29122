#include "kit/activation_context.h"

namespace kit {

ActivationContext::ActivationContext(HMODULE module, UINT manifestId) {
  char path[MAX_PATH] = "";
  if (!GetModuleFileNameA(module, path, MAX_PATH)) return;
  ACTCTXA request{};
  request.cbSize = sizeof request;
  request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
  request.lpSource = path;
  request.hModule = module;
  request.lpResourceName = MAKEINTRESOURCEA(manifestId);
  context_ = CreateActCtxA(&request);
}

ActivationContext::~ActivationContext() {
  if (context_ != INVALID_HANDLE_VALUE) ReleaseActCtx(context_);
}

ScopedActivation::ScopedActivation(const ActivationContext& context) {
  if (context.Handle() != INVALID_HANDLE_VALUE && !ActivateActCtx(context.Handle(), &cookie_))
    cookie_ = 0;
}

ScopedActivation::~ScopedActivation() {
  if (cookie_) DeactivateActCtx(0, cookie_);
}

}  // namespace kit
