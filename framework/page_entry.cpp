#include "framework/page_entry.h"

#include "framework/resource_module.h"
#include "kit/activation_context.h"
#include "kit/app.h"
#include "kit/ui_helpers.h"
#include "res/kelvra_ids.h"

namespace {

// Made once per load of this library, since reading the manifest is the
// slow part; released when the library is unloaded.
const kit::ActivationContext& PageStyles() {
  static const kit::ActivationContext styles =
      kit::CreateActivationContext(kit::InstanceHandle(), IDR_PAGE_MANIFEST);
  return styles;
}

}  // namespace

int RunPageModal(kit::CDialog& page) {
  CResourceModule resources;
  if (!resources.Load(kResourceLibraryName)) {
    kit::ShowMessage(kResourceLibraryMissing, MB_OK);
    return 0;
  }
  CResourceScope scope(resources.Handle());
  // Modern controls whether or not the driver has a manifest of its own.
  const kit::ScopedActivation styles = kit::Activate(PageStyles());
  return static_cast<int>(page.DoModal());
}
