// The ten pages as the tests and the benchmark know them, in wizard order:
// one row per export. The shared rules, the bad input, the keyboard path and
// the benchmark all read it, so a new page is one row here.
#pragma once

#include <string>
#include <windows.h>

#include "kit/text_format.h"
#include "resdll/kelvrares_ids.h"

namespace test {

// What the shared rules plant before the page opens.
enum Planted : unsigned {
  kNothingPlanted = 0,
  kActivePlanted = 1,  // "active" names the row's product, so Next stores under `productKey`
  kMarkerPlanted = 2,  // "_CANCELED" 0 under that key, as opening the page writes it
};

struct PageRow {
  const wchar_t* exportName;
  UINT templateId;             // its dialog in Kelvrares.dll
  const wchar_t* active;       // a product of its own, as a well-formed setup makes it "active"
  const wchar_t* productKey;   // below the options key: where Next stores with that product
  const wchar_t* fallbackKey;  // where Next stores when "active" is missing or unusable
  DWORD markerAfterNext;       // "_CANCELED" after Next when it was 1 before
  bool help;                   // has a Help button
  bool sectionFromActive;      // turns "active" into an INI section name
  unsigned planted;            // Planted flags
};

// Export, template, active product, its key, fallback key, marker after Next,
// Help button, section from "active", planted.
inline constexpr PageRow kPages[] = {
    {L"InstallDestinationDlg", IDD_INSTALL_DESTINATION, L"lookglass", L"Lookglass", L"Lumo", 0,
     false, true, kActivePlanted},
    {L"SelectFeatureDlg", IDD_SELECT_FEATURE, L"lookglass", L"Lookglass", L"Lumo", 0, false, false,
     kActivePlanted | kMarkerPlanted},
    {L"FerrixDestinationDlg", IDD_DESTINATION_FOLDER, L"FERRIX", L"Ferrix", L"Ferrix", 1, true,
     false, kNothingPlanted},
    {L"UnitStandardDlg", IDD_UNIT_STANDARD, L"FERRIX", L"Ferrix", L"Ferrix", 1, true, false,
     kNothingPlanted},
    {L"PartModificationDlg", IDD_PART_MODIFICATION, L"FERRIX", L"Ferrix", L"Ferrix", 0, true, false,
     kNothingPlanted},
    {L"CofraDestinationDlg", IDD_DESTINATION_FOLDER, L"nervaclient", L"NervaClient", L"CofraClient",
     1, true, true, kNothingPlanted},
    {L"CofraShortcutDlg", IDD_COFRA_SHORTCUT, L"nervaclient", L"NervaClient", L"CofraClient", 0,
     true, true, kNothingPlanted},
    {L"MsdeDestinationDlg", IDD_MSDE_DESTINATION, L"nervaserver", L"NervaServer", L"CofraServer", 1,
     true, true, kNothingPlanted},
    {L"UlvoDestinationDlg", IDD_DESTINATION_FOLDER, L"nervaserver", L"NervaServer", L"CofraServer",
     0, true, true, kNothingPlanted},
    {L"SelectContentDlg", IDD_CONTENT_STANDARD, L"FERRIX", L"ContentServer", L"ContentServer", 0,
     true, false, kNothingPlanted},
};

// The row of `exportName`; null when no page has that name.
inline const PageRow* FindPage(const std::wstring& exportName) {
  for (const PageRow& page : kPages)
    if (exportName == page.exportName) return &page;
  return nullptr;
}

// For test names: the export without its "Dlg".
inline std::string PageName(const PageRow& page) {
  const std::string name = kit::Ascii(page.exportName);
  return name.substr(0, name.size() - 3);
}

}  // namespace test
