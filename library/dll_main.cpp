// Kelvra.dll's entry point and its application object.
#include <windows.h>

#include "framework/page_library_app.h"

CPageLibraryApp theApp;

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      return kit::OnProcessAttach();
    case DLL_PROCESS_DETACH:
      kit::OnProcessDetach();
      break;
    default:
      break;
  }
  return TRUE;
}
