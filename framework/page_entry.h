// The body of every exported page function.
#pragma once

#include "kit/dialog.h"

// Loads the resource library, makes it current, runs `page` modally, then
// restores the previous resource module and frees the library. Returns the
// page's modal result, or 0 (after one message box) when the resource
// library cannot be loaded.
int RunPageModal(kit::CDialog& page);

// The page is constructed while this module is still the current resource
// module, so its icon comes from here. No exception leaves: one that a page
// raises ends the call with -1, the result of a page that could not run.
template <class Page>
int RunPage() {
  try {
    Page page;
    return RunPageModal(page);
  } catch (...) {
    return -1;
  }
}
