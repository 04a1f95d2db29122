#include "kit/app.h"

#include <vector>

// The linker's symbol for the first byte of the image holding this code.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace kit {
namespace {

HINSTANCE g_resourceHandle = nullptr;
CWinApp* g_app = nullptr;

}  // namespace

HINSTANCE InstanceHandle() {
  return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

std::wstring ModuleFileName(HMODULE module) {
  // A path longer than the buffer comes back cut to the buffer's size.
  for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
    std::vector<wchar_t> path(size);
    const DWORD length = GetModuleFileNameW(module, path.data(), size);
    if (length == 0) return std::wstring();
    if (length < size) return std::wstring(path.data(), length);
  }
  return std::wstring();
}

HINSTANCE ResourceHandle() {
  return g_resourceHandle ? g_resourceHandle : InstanceHandle();
}

void SetResourceHandle(HINSTANCE module) {
  g_resourceHandle = module;
}

CWinApp::CWinApp(const wchar_t* appName) : appName_(appName) {
  g_app = this;
}

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

CWinApp* CWinApp::Current() {
  return g_app;
}

BOOL OnProcessAttach() {
  DisableThreadLibraryCalls(InstanceHandle());
  if (g_app) g_app->InitInstance();
  return TRUE;
}

void OnProcessDetach() {
  if (g_app) g_app->ExitInstance();
}

}  // namespace kit
