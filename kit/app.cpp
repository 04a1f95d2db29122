#include "kit/app.h"

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

HINSTANCE ResourceHandle() {
  return g_resourceHandle ? g_resourceHandle : InstanceHandle();
}

void SetResourceHandle(HINSTANCE module) {
  g_resourceHandle = module;
}

CWinApp::CWinApp(const char* appName) : appName_(appName) {
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
