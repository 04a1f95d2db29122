// The library's one application object.
#pragma once

#include "kit/app.h"

class CPageLibraryApp : public kit::CWinApp {
 public:
  CPageLibraryApp() : CWinApp("Kelvra") {}
  BOOL InitInstance() override;
};
