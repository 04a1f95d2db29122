// The unit standard page through its real export: the preselection from the
// registry or OPTIONS.INI, and what Next stores.
#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "resdll/kelvrares_ids.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/setup_test.h"

namespace {

using test::Ui;
using UnitStandardTest = test::SetupTest;

TEST_F(UnitStandardTest, PreselectsFromTheRegistryOrElseTheIni) {
  struct Case {
    const wchar_t* name;
    std::optional<std::wstring> units, standard;  // under the Ferrix key
    std::optional<DWORD> canceled;
    const wchar_t* ini;  // Options.ini's text; null for no file
    std::set<int> checked;
  };
  const wchar_t kIni[] = L"[FERRIX]\r\nUNITS=inch\r\nDRAWINGSTANDARD=GB\r\n";
  const Case cases[] = {
      {L"nothing stored, no INI", {}, {}, {}, nullptr, {IDC_UNITS_MM, IDC_STANDARD_ANSI}},
      {L"both stored", L"MM", L"BSI", {}, kIni, {IDC_UNITS_MM, IDC_STANDARD_BSI}},
      {L"units without a standard: both from the INI",
       L"MM",
       {},
       {},
       kIni,
       {IDC_UNITS_INCH, IDC_STANDARD_GB}},
      {L"any case", L"iNcH", L"din", {}, nullptr, {IDC_UNITS_INCH, IDC_STANDARD_DIN}},
      {L"names not in the table",
       L"inches",
       L"DIN 476",
       {},
       nullptr,
       {IDC_UNITS_MM, IDC_STANDARD_ANSI}},
      {L"last visit cancelled", L"MM", L"ISO", 1, kIni, {IDC_UNITS_INCH, IDC_STANDARD_GB}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClearSetupTree();
    c.ini ? WriteOptionsIni(c.ini) : void(DeleteFileW(OptionsIniFile().c_str()));
    if (c.units) test::RegSetString(test::kFerrixKey, L"UNITS", *c.units);
    if (c.standard) test::RegSetString(test::kFerrixKey, L"DRAWINGSTANDARD", *c.standard);
    if (c.canceled) test::RegSetDword(test::kFerrixKey, L"_CANCELED", *c.canceled);
    std::set<int> checked;
    test::OpenPage(L"UnitStandardDlg", [&](Ui& ui, HWND page) {
      for (int id = IDC_UNITS_INCH; id <= IDC_STANDARD_JIS; ++id)
        if (ui.IsChecked(page, id)) checked.insert(id);
      ui.Click(page, IDC_BACK);
    });
    EXPECT_EQ(checked, c.checked);
  }
}

TEST_F(UnitStandardTest, NextStoresInchAndJis) {
  test::RegSetString(test::kFerrixKey, L"UNITS", L"mm");
  EXPECT_EQ(test::OpenPage(L"UnitStandardDlg",
                           [&](Ui& ui, HWND page) {
                             ui.Click(page, IDC_UNITS_INCH);
                             ui.Click(page, IDC_STANDARD_JIS);
                             ui.Click(page, IDC_NEXT);
                           }),
            KELVRA_NEXT);
  EXPECT_EQ(test::RegGetString(test::kFerrixKey, L"UNITS"), L"INCH");
  EXPECT_EQ(test::RegGetString(test::kFerrixKey, L"DRAWINGSTANDARD"), L"JIS");
}

}  // namespace
