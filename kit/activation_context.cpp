#include "kit/activation_context.h"

namespace kit {

ActivationContext CreateActivationContext(HMODULE module, UINT manifestId) {
  wchar_t path[MAX_PATH] = L"";
  if (!GetModuleFileNameW(module, path, MAX_PATH)) return ActivationContext();
  ACTCTXW request{};
  request.cbSize = sizeof request;
  request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
  request.lpSource = path;
  request.hModule = module;
  request.lpResourceName = MAKEINTRESOURCEW(manifestId);
  return ActivationContext(CreateActCtxW(&request));
}

ScopedActivation Activate(const ActivationContext& context) {
  ULONG_PTR cookie = 0;
  if (context && !ActivateActCtx(context.get(), &cookie)) cookie = 0;
  return ScopedActivation(cookie);
}

}  // namespace kit
