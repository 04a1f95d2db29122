// The library's one application object.
#pragma once

#include "kit/app.h"

class CPageLibraryApp : public kit::CWinApp {
 public:
  CPageLibraryApp() : CWinApp(L"Kelvra") {}
  // Loading never fails: the library has nothing of its own to set up.
  BOOL InitInstance() override {
    CWinApp::InitInstance();
    return TRUE;
  }
};
