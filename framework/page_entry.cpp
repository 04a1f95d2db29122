#include "framework/page_entry.h"

#include "framework/resource_module.h"
#include "kit/ui_helpers.h"

int RunPageModal(kit::CDialog& page) {
  CResourceModule resources;
  if (!resources.Load(kResourceLibraryName)) {
    kit::ShowMessage(kResourceLibraryMissing, MB_OK);
    return 0;
  }
  CResourceScope scope(resources.Handle());
  const int result = static_cast<int>(page.DoModal());
  scope.Restore();
  resources.Free();
  return result;
}
