// The application object and the module state: the instance of the module
// this code is linked into, and the process-wide current resource module.
#pragma once

#include <string>
#include <windows.h>

namespace kit {

// The module (DLL or EXE) whose code this is; its own icons and bitmaps live there.
HINSTANCE InstanceHandle();

// The full path of `module` (null: the process's executable), however long;
// empty when the system cannot tell.
std::wstring ModuleFileName(HMODULE module);

// Where templates and strings are looked up. Starts as InstanceHandle().
HINSTANCE ResourceHandle();
void SetResourceHandle(HINSTANCE module);

class CWinApp {
 public:
  explicit CWinApp(const wchar_t* appName);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // The one application object of the module, or null when none was made.
  static CWinApp* Current();

  // Start-up and shut-down of the module; neither has anything to do here.
  virtual BOOL InitInstance() { return TRUE; }
  virtual int ExitInstance() { return 0; }

  const wchar_t* AppName() const { return appName_; }

 private:
  const wchar_t* appName_;
};

// Library start-up and shut-down, called from the DLL entry point.
BOOL OnProcessAttach();
void OnProcessDetach();

}  // namespace kit
