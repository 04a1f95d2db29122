// Every page driven from the keyboard alone: Tab reaches each control, each
// control has an access key of its own, and access keys, typing, Space,
// arrows and Enter take the page through to Next and store the choices.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>
#include <windows.h>

#include "include/kelvra.h"
#include "resdll/kelvrares_ids.h"
#include "tests/win/support/page_table.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/setup_test.h"

namespace {

using test::AccessKey;
using test::AccessKeyOf;
using test::ClassName;
using test::Key;
using test::Typed;
using test::Ui;

const Key kTab{VK_TAB}, kSpace{VK_SPACE}, kDown{VK_DOWN}, kHome{VK_HOME}, kEnter{VK_RETURN};

LONG_PTR ButtonType(HWND control) {
  return ClassName(control) == L"Button" ? GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK : -1;
}

bool TakesNoFocus(HWND control) {
  return ClassName(control) == L"Static" || ButtonType(control) == BS_GROUPBOX ||
         !IsWindowVisible(control) || !IsWindowEnabled(control);
}

bool IsRadio(HWND control) {
  const LONG_PTR type = ButtonType(control);
  return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

// The controls that Tab visits, from the focus on, once round.
std::set<HWND> TabRound(const Ui& ui) {
  std::set<HWND> reached{ui.Focus()};
  for (int i = 0; i < 30; ++i) {
    if (!ui.Press({kTab})) break;
    if (!reached.insert(ui.Focus()).second) break;
  }
  return reached;
}

// What keeps a user without a mouse from a control: Tab never reaches it
// (a radio button counts as reached with its group), it has no access key,
// or its key is another's too. Empty when nothing does.
std::wstring KeyboardGaps(HWND page, const std::set<HWND>& reached) {
  std::wstring gaps;
  std::set<wchar_t> keys;
  for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(c);
    if (const wchar_t key = IsWindowVisible(c) ? AccessKey(c) : 0; key && !keys.insert(key).second)
      gaps += L" key " + std::wstring(1, key) + L" twice;";
    if (TakesNoFocus(c)) continue;
    bool inReach = reached.count(c) > 0;
    for (HWND r = c; IsRadio(c) && !inReach;) {
      r = GetNextDlgGroupItem(page, r, FALSE);
      if (r == c) break;
      inReach = reached.count(r) > 0;
    }
    if (!inReach) gaps += L" " + std::to_wstring(id) + L" not reached by Tab;";
    // Enter and Esc are the keys of OK and Cancel.
    if (id != IDOK && id != IDCANCEL && !test::ControlAccessKey(c))
      gaps += L" " + std::to_wstring(id) + L" has no access key;";
  }
  return gaps;
}

// A value Next stored. With no "active", a page stores under its fallback key.
struct Stored {
  std::wstring name;
  std::wstring text;  // REG_SZ, or the number of a REG_DWORD
};

std::wstring Read(const std::wstring& key, const std::wstring& name) {
  if (const auto text = test::RegGetString(key, name)) return *text;
  if (const auto number = test::RegGetDword(key, name)) return std::to_wstring(*number);
  return L"(none)";
}

struct KeyPath {
  const wchar_t* exportName;
  std::function<void()> arrange;
  std::vector<std::vector<Key>> keys;  // groups of keys; a group may open and close a dialog
  std::vector<Stored> expected;
};

class KeyboardPathTest : public test::SetupTest {};

TEST_F(KeyboardPathTest, EveryPageFromTheKeyboardAlone) {
  const KeyPath paths[] = {
      // Disk Cost opened by its access key and closed with Enter on the way.
      {L"InstallDestinationDlg",
       nullptr,
       {{AccessKeyOf(IDC_DISK_COST), kEnter},
        {AccessKeyOf(IDC_DESTINATION)},
        Typed(L"C:\\Kb"),
        {kEnter}},
       {{L"TARGETDIR", L"C:\\Kb\\"}}},
      // Down to the second feature, Space for its popup, the second entry.
      {L"SelectFeatureDlg",
       [] {
         SetupTest::WriteOptionsIni(
             L"[TREL_OPTIONS]\r\nFEATURE_SELECTION=lumo\r\n[LUMO]\r\nPRODUCT_NAME=Lumo 11\r\n"
             L"FEATURE1=Main;;Viewer;The program;1;0;1\r\nFEATURE2=Help;Main;Help "
             L"files;Manuals;1;0;0\r\n");
       },
       {{AccessKeyOf(IDC_FEATURE_TREE), kDown, kSpace, kDown, kDown, kEnter,
         AccessKeyOf(IDC_NEXT)}},
       {{L"FEATURE_DISABLED", L"Help"}, {L"FEATURE_ENABLED", L"o"}}},
      {L"FerrixDestinationDlg",
       nullptr,
       {{AccessKeyOf(IDC_DESTINATION)}, Typed(L"C:\\Kb\\Ferrix"), {kEnter}},
       {{L"TARGETDIR", L"C:\\Kb\\"}}},
      {L"UnitStandardDlg",
       nullptr,
       {{AccessKeyOf(IDC_UNITS_INCH), AccessKeyOf(IDC_STANDARD_JIS), kEnter}},
       {{L"UNITS", L"INCH"}, {L"DRAWINGSTANDARD", L"JIS"}}},
      {L"PartModificationDlg",
       nullptr,
       {{AccessKeyOf(IDC_DRAWING_EDIT_DENIED), AccessKeyOf(IDC_NEXT)}},
       {{L"ALLOWDRAWINGEDIT", L"0"}}},
      {L"CofraDestinationDlg",
       nullptr,
       {{AccessKeyOf(IDC_DESTINATION)}, Typed(L"C:\\Kc\\Cofra"), {AccessKeyOf(IDC_NEXT)}},
       {{L"TARGETDIR", L"C:\\Kc\\"}}},
      {L"CofraShortcutDlg",
       nullptr,
       {{AccessKeyOf(IDC_SHOW_DESKTOP_MENU), kEnter}},
       {{L"SHOW_DESKTOP_MENU", L"0"}}},
      // After a cancelled visit the data folder follows the program folder.
      {L"MsdeDestinationDlg",
       [] { test::RegSetDword(test::OptionKey(L"CofraServer"), L"_CANCELED", 1); },
       {{AccessKeyOf(IDC_DESTINATION)},
        Typed(L"C:\\Eng"),
        {AccessKeyOf(IDC_DATA_FOLLOWS_PROGRAM), AccessKeyOf(IDC_DATA_FOLDER)},
        Typed(L"C:\\Data"),
        {AccessKeyOf(IDC_NEXT)}},
       {{L"_MSDEPATH", L"C:\\Eng\\"}, {L"_DATADIR", L"C:\\Data\\"}, {L"_USEDEFAULTDATADIR", L"0"}}},
      {L"UlvoDestinationDlg",
       nullptr,
       {{AccessKeyOf(IDC_DESTINATION)}, Typed(L"C:\\Ku\\Ulvo"), {kEnter}},
       {{L"TARGETDIR", L"C:\\Ku\\"}}},
      // Every row starts ticked; Space on the first clears it.
      {L"SelectContentDlg",
       [] {
         SetupTest::WriteOptionsIni(
             L"[CONTENTSERVER]\r\nSTANDARD1=ANSI;ANSI parts;Inch.;0\r\n"
             L"STANDARD2=DIN;DIN parts;German.;1\r\n");
       },
       {{AccessKeyOf(IDC_CONTENT_LIST), kHome, kSpace, AccessKeyOf(IDC_NEXT)}},
       {{L"ANSI", L"0"}, {L"DIN", L"1"}}},
  };
  for (const test::PageRow& page : test::kPages) {
    SCOPED_TRACE(page.exportName);
    const KeyPath* path = nullptr;
    for (const KeyPath& each : paths)
      if (page.exportName == std::wstring(each.exportName)) path = &each;
    ASSERT_NE(path, nullptr) << L"the page has no keyboard path";
    ClearSetupTree();
    if (path->arrange) path->arrange();
    std::wstring gaps;
    bool taken = true;
    const int result = test::OpenPage(page.exportName, [&](Ui& ui, HWND shown) {
      gaps = KeyboardGaps(shown, TabRound(ui));
      for (const std::vector<Key>& group : path->keys) taken = ui.Press(group) && taken;
    });
    EXPECT_EQ(gaps, L"");
    EXPECT_TRUE(taken) << L"every key was taken";
    EXPECT_EQ(result, KELVRA_NEXT);
    const std::wstring key = test::OptionKey(page.fallbackKey);
    for (const Stored& value : path->expected)
      EXPECT_EQ(Read(key, value.name), value.text) << value.name;
  }
}

}  // namespace
