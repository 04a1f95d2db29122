#include "kit/activation_context.h"

namespace kit {

ActivationContext CreateActivationContext(HMODULE module, UINT manifestId) {
  char path[MAX_PATH] = "";
  if (!GetModuleFileNameA(module, path, MAX_PATH)) return ActivationContext();
  ACTCTXA request{};
  request.cbSize = sizeof request;
  request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
  request.lpSource = path;
  request.hModule = module;
  request.lpResourceName = MAKEINTRESOURCEA(manifestId);
  return ActivationContext(CreateActCtxA(&request));
}

ScopedActivation Activate(const ActivationContext& context) {
  ULONG_PTR cookie = 0;
  if (context && !ActivateActCtx(context.get(), &cookie)) cookie = 0;
  return ScopedActivation(cookie);
}

}  // namespace kit
