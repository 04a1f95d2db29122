// Kelvra.dll's page exports, one line each, in the sample wizard's order.
// The list of pages in CMakeLists.txt and res/Kelvra.def name the same ten;
// the configure step stops when the three disagree.
#include "framework/page_entry.h"
#include "pages/destination/install_destination.h"
#include "features/select_feature.h"
#include "pages/destination/ferrix_destination.h"
#include "pages/options/unit_standard.h"
#include "pages/options/part_modification.h"
#include "pages/destination/cofra_destination.h"
#include "pages/destination/cofra_shortcut.h"
#include "pages/server/msde_destination.h"
#include "pages/server/ulvo_destination.h"
#include "pages/options/content_standard.h"

// clang-format off
// One line a page, so that the exports read as a table.
extern "C" int __cdecl InstallDestinationDlg() { return RunPage<CInstallDestination>(); }
extern "C" int __cdecl SelectFeatureDlg() { return RunPage<CSelectFeature>(); }
extern "C" int __cdecl FerrixDestinationDlg() { return RunPage<CFerrixDestination>(); }
extern "C" int __cdecl UnitStandardDlg() { return RunPage<CUnitStandard>(); }
extern "C" int __cdecl PartModificationDlg() { return RunPage<CPartModification>(); }
extern "C" int __cdecl CofraDestinationDlg() { return RunPage<CCofraDestination>(); }
extern "C" int __cdecl CofraShortcutDlg() { return RunPage<CCofraShortcut>(); }
extern "C" int __cdecl MsdeDestinationDlg() { return RunPage<CMsdeDestination>(); }
extern "C" int __cdecl UlvoDestinationDlg() { return RunPage<CUlvoDestination>(); }
extern "C" int __cdecl SelectContentDlg() { return RunPage<CStandardContentOption>(); }
// clang-format on
