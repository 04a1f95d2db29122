#include "framework/page_library_app.h"

BOOL CPageLibraryApp::InitInstance() {
  // The library has nothing of its own to set up; loading never fails here.
  CWinApp::InitInstance();
  return TRUE;
}
