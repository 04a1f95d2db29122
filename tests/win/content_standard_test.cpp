// The content standard page through its real export: rows from Options.ini,
// ticks from each row's own value, the description on a click, and Next
// storing by row position.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "resdll/kelvrares_ids.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/setup_test.h"

namespace {

using test::Ui;

const std::wstring kContentKey = std::wstring(test::kOptionsKey) + L"\\ContentServer";
constexpr DWORD kNoRow = 0xFFFFFFFFu;

// Rows in another order than the fixed names, and a fifth after a gap.
const wchar_t kRows[] =
    L"[CONTENTSERVER]\r\n"
    L"STANDARD1=ISO;ISO parts;Metric parts to ISO.;2\r\n"
    L"STANDARD2=ANSI;ANSI parts;Inch parts to ANSI.;0\r\n"
    L"STANDARD3=DIN;DIN parts;German parts to DIN.;1\r\n"
    L"STANDARD5=VENDOR;Vendor parts;Never read.;5\r\n";

// The page's list, driven from the robot's thread while the page's thread
// sits in its modal loop.
struct ContentList {
  HWND list;

  LRESULT Send(UINT message, WPARAM wParam = 0, const void* data = nullptr) const {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(list, message, wParam, reinterpret_cast<LPARAM>(data), SMTO_BLOCK, 5000,
                        &result);
    return static_cast<LRESULT>(result);
  }
  // "label image ticked|unticked", one per row.
  std::vector<std::wstring> Rows() const {
    std::vector<std::wstring> rows;
    for (int i = 0; i < Send(LVM_GETITEMCOUNT); ++i) {
      wchar_t text[256] = L"";
      LVITEMW item{};
      item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
      item.iItem = i;
      item.stateMask = LVIS_STATEIMAGEMASK;
      item.pszText = text;
      item.cchTextMax = std::size(text);
      Send(LVM_GETITEMW, 0, &item);
      rows.push_back(std::wstring(text) + L" " + std::to_wstring(item.iImage) +
                     (item.state == INDEXTOSTATEIMAGEMASK(2) ? L" ticked" : L" unticked"));
    }
    return rows;
  }
  void Untick(int row) const {
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(1);
    Send(LVM_SETITEMSTATE, row, &item);
  }
  // A click on a row's text, or for -1 on the empty space below the rows;
  // returns once the page's thread has dealt with it. Posted, not sent: the
  // list follows the mouse until the button comes up.
  void Click(int row) const {
    RECT rect{};
    rect.left = LVIR_LABEL;
    if (row < 0)
      GetClientRect(list, &rect);
    else
      Send(LVM_GETITEMRECT, row, &rect);
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2,
                                 row < 0 ? rect.bottom - 4 : (rect.top + rect.bottom) / 2);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
    static DWORD mark = 1000;
    PostMessageW(list, LVM_SETHOVERTIME, 0, ++mark);
    for (int i = 0; i < 500 && static_cast<DWORD>(Send(LVM_GETHOVERTIME)) != mark; ++i) Sleep(10);
  }
};

int ShowPage(const std::function<void(Ui&, HWND page, const ContentList&)>& act) {
  return test::OpenPage(L"SelectContentDlg", [&](Ui& ui, HWND page) {
    act(ui, page, ContentList{GetDlgItem(page, IDC_CONTENT_LIST)});
  });
}

using ContentStandardTest = test::SetupTest;

TEST_F(ContentStandardTest, RowsUpToTheFirstGapTickedFromTheirOwnValues) {
  struct Case {
    const wchar_t* name;
    bool stored;  // ISO 0, ANSI 5, DIN missing
    std::optional<DWORD> canceled;
    std::vector<std::wstring> rows;
  };
  const std::vector<std::wstring> allTicked = {L"ISO parts 2 ticked", L"ANSI parts 0 ticked",
                                               L"DIN parts 1 ticked"};
  const Case cases[] = {
      {L"no key", false, {}, allTicked},
      {L"stored",
       true,
       {},
       {L"ISO parts 2 unticked", L"ANSI parts 0 ticked", L"DIN parts 1 unticked"}},
      {L"last visit cancelled", true, 1, allTicked},
  };
  WriteOptionsIni(kRows);
  WriteDriverIni(
      L"[TREL_OPTIONS]\r\nSETUP_TITLE=Ferrix\r\n[CONTENTSERVER]\r\nSETUP_TITLE=Content\r\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClearSetupTree();
    if (c.stored) {
      test::RegSetDword(kContentKey, L"ISO", 0);
      test::RegSetDword(kContentKey, L"ANSI", 5);
    }
    if (c.canceled) test::RegSetDword(kContentKey, L"_CANCELED", *c.canceled);
    std::vector<std::wstring> rows;
    wchar_t caption[64] = L"";
    ShowPage([&](Ui& ui, HWND page, const ContentList& list) {
      rows = list.Rows();
      GetWindowTextW(page, caption, std::size(caption));
      ui.Click(page, IDC_BACK);
    });
    EXPECT_EQ(rows, c.rows);
    EXPECT_STREQ(caption, L"Content");
  }
}

TEST_F(ContentStandardTest, NextStoresTheTicksByPositionUnderTheFixedNames) {
  struct Case {
    const wchar_t* ini;
    std::vector<DWORD> stored;  // ANSI DIN ISO JISGB FEATURE OTHER VENDOR
  };
  const Case cases[] = {
      {kRows, {1, 0, 1, kNoRow, kNoRow, kNoRow, kNoRow}},  // the ANSI row, second, unticked
      {L"", {kNoRow, kNoRow, kNoRow, kNoRow, kNoRow, kNoRow, kNoRow}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ini);
    WriteOptionsIni(c.ini);
    EXPECT_EQ(ShowPage([](Ui& ui, HWND page, const ContentList& list) {
                list.Untick(1);
                ui.Click(page, IDC_NEXT);
              }),
              1);
    std::vector<DWORD> stored;
    for (const wchar_t* name : {L"ANSI", L"DIN", L"ISO", L"JISGB", L"FEATURE", L"OTHER", L"VENDOR"})
      stored.push_back(test::RegGetDword(kContentKey, name).value_or(0xBAD));
    EXPECT_EQ(stored, c.stored);
  }
}

TEST_F(ContentStandardTest, ClickShowsTheRowsDescriptionAndBackKeepsTheRegistry) {
  WriteOptionsIni(kRows);
  test::RegSetDword(kContentKey, L"ISO", 1);
  const std::wstring before = test::SnapshotSetupTree();
  std::vector<std::wstring> shown;
  std::wstring treeWhileOpen;
  const int result = ShowPage([&](Ui& ui, HWND page, const ContentList& list) {
    for (int row : {1, 0, -1}) {
      list.Click(row);
      shown.push_back(ui.Text(page, IDC_CONTENT_DESCRIPTION));
    }
    list.Untick(0);
    treeWhileOpen = test::SnapshotSetupTree();
    ui.Click(page, IDC_BACK);
  });
  EXPECT_EQ(shown, (std::vector<std::wstring>{L"Inch parts to ANSI.", L"Metric parts to ISO.",
                                              L"Metric parts to ISO."}))
      << L"a click on no row changes nothing";
  EXPECT_EQ(treeWhileOpen, before) << L"ticks are stored only by Next";
  EXPECT_EQ(result, KELVRA_BACK);
  EXPECT_EQ(test::SnapshotSetupTree(), before);
}

}  // namespace
