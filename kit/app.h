// The application object and the module state: the instance of the module
// this code is linked into, and the process-wide current resource module.
#pragma once

#include <windows.h>

namespace kit {

// The module (DLL or EXE) whose code this is; its own icons and bitmaps live there.
HINSTANCE InstanceHandle();

// Where templates and strings are looked up. Starts as InstanceHandle().
HINSTANCE ResourceHandle();
void SetResourceHandle(HINSTANCE module);

class CWinApp {
 public:
  explicit CWinApp(const char* appName);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // The one application object of the module, or null when none was made.
  static CWinApp* Current();

  virtual BOOL InitInstance();
  virtual int ExitInstance();

  const char* AppName() const { return appName_; }
  HWND MainWindow() const { return mainWindow_; }

 private:
  const char* appName_;
  HWND mainWindow_ = nullptr;
};

// Library start-up and shut-down, called from the DLL entry point.
BOOL OnProcessAttach();
void OnProcessDetach();

}  // namespace kit
