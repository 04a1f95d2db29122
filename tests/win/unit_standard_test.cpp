// The unit standard page through its real export: what it preselects from
// the registry or OPTIONS.INI, and what Next stores.
#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "resdll/kelvrares_ids.h"
#include "tests/win/support/page_kit.h"

namespace {

using test::Ui;

const char kUnits[] = "UNITS";
const char kStandard[] = "DRAWINGSTANDARD";

class UnitStandardTest : public test::SetupTest {
 protected:
  // Every radio of the page that is checked; leaves with Back.
  static std::set<int> CheckedRadios() {
    std::set<int> checked;
    test::OpenPage("UnitStandardDlg", [&](Ui& ui, HWND page) {
      for (int id = IDC_UNITS_INCH; id <= IDC_STANDARD_JIS; ++id)
        if (ui.IsChecked(page, id)) checked.insert(id);
      ui.Click(page, IDC_BACK);
    });
    return checked;
  }
};

TEST_F(UnitStandardTest, PreselectsFromTheRegistryOrElseTheIni) {
  struct Case {
    const char* name;
    std::optional<std::string> units, standard;  // stored under the Ferrix key
    std::optional<DWORD> canceled;
    const char* ini;  // Options.ini's text; null for no file
    std::set<int> expected;
  };
  const char* const kIni = "[FERRIX]\r\nUNITS=inch\r\nDRAWINGSTANDARD=GB\r\n";
  const Case cases[] = {
      {"nothing stored, no INI", {}, {}, {}, nullptr, {IDC_UNITS_MM, IDC_STANDARD_ANSI}},
      {"nothing stored", {}, {}, {}, kIni, {IDC_UNITS_INCH, IDC_STANDARD_GB}},
      {"both stored", "MM", "BSI", {}, kIni, {IDC_UNITS_MM, IDC_STANDARD_BSI}},
      {"units without a standard: both from the INI",
       "MM",
       {},
       {},
       kIni,
       {IDC_UNITS_INCH, IDC_STANDARD_GB}},
      {"standard without units: the INI's empty standard wins",
       {},
       "JIS",
       {},
       "[FERRIX]\r\nUNITS=INCH\r\n",
       {IDC_UNITS_INCH, IDC_STANDARD_ANSI}},
      {"any case", "iNcH", "din", {}, nullptr, {IDC_UNITS_INCH, IDC_STANDARD_DIN}},
      {"names not in the table",
       "inches",
       "DIN 476",
       {},
       nullptr,
       {IDC_UNITS_MM, IDC_STANDARD_ANSI}},
      {"last visit cancelled", "MM", "ISO", 1, kIni, {IDC_UNITS_INCH, IDC_STANDARD_GB}},
      {"marker 0", "MM", "ISO", 0, kIni, {IDC_UNITS_MM, IDC_STANDARD_ISO}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClearSetupTree();
    if (c.ini)
      WriteOptionsIni(c.ini);
    else
      DeleteFileA(OptionsIniFile().c_str());
    if (c.units) test::RegSetString(test::kFerrixKey, kUnits, *c.units);
    if (c.standard) test::RegSetString(test::kFerrixKey, kStandard, *c.standard);
    if (c.canceled) test::RegSetDword(test::kFerrixKey, "_CANCELED", *c.canceled);
    EXPECT_EQ(CheckedRadios(), c.expected);
  }
}

TEST_F(UnitStandardTest, NextStoresTheCheckedChoice) {
  struct Case {
    int unitsRadio, standardRadio;
    const char* units;
    const char* standard;
  };
  const Case cases[] = {
      {IDC_UNITS_INCH, IDC_STANDARD_JIS, "INCH", "JIS"},
      {IDC_UNITS_MM, IDC_STANDARD_BSI, "MM", "BSI"},
  };
  test::RegSetString(test::kFerrixKey, kUnits, "inch");
  test::RegSetString(test::kFerrixKey, kStandard, "gb");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.standard);
    EXPECT_EQ(test::OpenPage("UnitStandardDlg",
                             [&](Ui& ui, HWND page) {
                               ui.Click(page, c.unitsRadio);
                               ui.Click(page, c.standardRadio);
                               ui.Click(page, IDC_NEXT);
                             }),
              1);
    EXPECT_EQ(test::RegGetString(test::kFerrixKey, kUnits), c.units);
    EXPECT_EQ(test::RegGetString(test::kFerrixKey, kStandard), c.standard);
  }
  EXPECT_EQ(test::RegGetDword(test::kFerrixKey, "_CANCELED"), std::nullopt);
}

TEST_F(UnitStandardTest, CaptionIsTheSetupTitleAndBothHeadingsAreBold) {
  WriteDriverIni(
      "[TREL_OPTIONS]\r\nSETUP_TITLE=Ferrix 11 Setup\r\n"
      "[CONTENTSERVER]\r\nSETUP_TITLE=Content\r\n");
  std::string caption;
  HFONT first = nullptr, second = nullptr, dialog = nullptr;
  test::OpenPage("UnitStandardDlg", [&](Ui& ui, HWND page) {
    char text[256] = "";
    GetWindowTextA(page, text, sizeof text);
    caption = text;
    first = reinterpret_cast<HFONT>(SendDlgItemMessageA(page, IDC_HEADING, WM_GETFONT, 0, 0));
    second =
        reinterpret_cast<HFONT>(SendDlgItemMessageA(page, IDC_SECOND_HEADING, WM_GETFONT, 0, 0));
    dialog = reinterpret_cast<HFONT>(SendMessageA(page, WM_GETFONT, 0, 0));
    ui.Click(page, IDC_BACK);
  });
  EXPECT_EQ(caption, "Ferrix 11 Setup");
  EXPECT_NE(first, dialog);
  EXPECT_EQ(second, first);
}

}  // namespace

// Next leaves the Ferrix key's marker as it was.
KELVRA_SHARED_PAGE_RULES(UnitStandard, {"UnitStandardDlg", test::kFerrixKey, 1});
