// The feature selection page through its real export: the tree it builds
// from Options.ini, the stored lists, Next and Reset, and the install-state
// popup opened by mouse and keyboard as a user would.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>
#include <commctrl.h>

#include "include/kelvra.h"
#include "resdll/kelvrares_ids.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/scoped_test_handles.h"
#include "tests/win/support/setup_test.h"

namespace {

using test::Ui;

const wchar_t kPage[] = L"SelectFeatureDlg";

// Viewer > {Help files > PDF manuals, b tools, A tools}; Z add-ons > Far away.
// Orphan and Hidden are never shown.
const wchar_t kSample[] =
    L"FEATURE1=Main;;Viewer;The program itself;1;0;1\r\n"
    L"FEATURE2=Help;MAIN;Help files;Manuals;1;0;1\r\n"
    L"FEATURE3=Pdf;help;PDF manuals;Printable;0;7;0\r\n"
    L"FEATURE4=ABC1;Main;b tools;;0;0;0\r\n"
    L"FEATURE5=abc1;Main;A tools;;0;0;0\r\n"
    L"FEATURE6=Extra;;Z add-ons;;0;0;1\r\n"
    L"FEATURE7=Far;Extra;Far away;;1;0;0\r\n"
    L"FEATURE8=Lost;Nobody;Orphan;;1;0;0\r\n"
    L"FEATURE9=Hidden;Pdf;Hidden;;1;0;0\r\n";
const wchar_t kSampleTree[] =
    L"Viewer=3*+ [A tools=0, b tools=0, Help files=3 [PDF manuals=0]], Z add-ons=0 [Far away=3]";

std::wstring OptionsIni(const std::wstring& selection, const std::wstring& section,
                        const std::wstring& lines) {
  return L"[TREL_OPTIONS]\r\nFEATURE_SELECTION=" + selection + L"\r\n[" + section +
         L"]\r\nPRODUCT_NAME=" + section + L" 11\r\n" + lines;
}

HTREEITEM Next(HWND tree, HTREEITEM item, UINT code) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageW(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
}

// "Title=image" per item from `item` on, '*' on the selected item, '+' when
// expanded, children in brackets; `find` gets the item titled `title`.
std::wstring TreeText(HWND tree, HTREEITEM item, const wchar_t* title = nullptr,
                      HTREEITEM* find = nullptr) {
  std::wstring text;
  for (; item; item = Next(tree, item, TVGN_NEXT)) {
    wchar_t name[256] = L"";
    TVITEMW data{};
    data.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_STATE | TVIF_HANDLE;
    data.hItem = item;
    data.stateMask = TVIS_SELECTED | TVIS_EXPANDED;
    data.pszText = name;
    data.cchTextMax = std::size(name);
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
    if (title && !std::wcscmp(title, name)) *find = item;
    text += (text.empty() ? L"" : L", ") + std::wstring(name) + L"=" + std::to_wstring(data.iImage);
    if (data.state & TVIS_SELECTED) text += L"*";
    if (data.state & TVIS_EXPANDED) text += L"+";
    if (HTREEITEM child = Next(tree, item, TVGN_CHILD))
      text += L" [" + TreeText(tree, child, title, find) + L"]";
  }
  return text;
}

std::wstring TreeText(HWND page) {
  HWND tree = GetDlgItem(page, IDC_FEATURE_TREE);
  return TreeText(tree, Next(tree, nullptr, TVGN_ROOT));
}

HTREEITEM Find(HWND tree, const wchar_t* title) {
  HTREEITEM found = nullptr;
  TreeText(tree, Next(tree, nullptr, TVGN_ROOT), title, &found);
  EXPECT_NE(found, nullptr) << title;
  return found;
}

RECT ItemRect(HWND tree, HTREEITEM item, bool textOnly) {
  RECT rect{};
  std::memcpy(&rect, &item, sizeof item);  // the message takes the item in the rectangle
  SendMessageW(tree, TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(&rect));
  return rect;
}

// Posts a click on the part (TVHT_ONITEMICON...) of the item titled `title`.
void ClickOn(HWND tree, const wchar_t* title, UINT part) {
  const RECT text = ItemRect(tree, Find(tree, title), true);
  for (int x = text.right - 2; x >= 0; --x) {
    TVHITTESTINFO hit{};
    hit.pt = {x, (text.top + text.bottom) / 2};
    SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (!(hit.flags & part)) continue;
    PostMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(hit.pt.x, hit.pt.y));
    PostMessageW(tree, WM_LBUTTONUP, 0, MAKELPARAM(hit.pt.x, hit.pt.y));
    return;
  }
  ADD_FAILURE() << L"no part " << part << L" on " << title;
}

BOOL CALLBACK RememberPopup(HWND window, LPARAM out) {
  if (test::ClassName(window) != L"#32768" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(out) = window;
  return FALSE;
}

// The page thread's open popup menu, or null after `timeoutMs`.
HWND WaitForPopup(const Ui& ui, DWORD timeoutMs = 3000) {
  HWND popup = nullptr;
  for (DWORD waited = 0; !popup && waited <= timeoutMs; waited += 10) {
    Sleep(10);
    EnumThreadWindows(ui.PageThread(), RememberPopup, reinterpret_cast<LPARAM>(&popup));
  }
  return popup;
}

// Polls `done` until it holds or 5 s have passed.
template <class Condition>
void WaitUntil(Condition done) {
  for (int waited = 0; !done() && waited < 5000; waited += 10) Sleep(10);
}

// The popup's commands, "od" after owner-drawn ones, and the first entry's width.
std::wstring ReadPopup(HWND popup, HWND owner) {
  const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
  std::wstring seen;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID;
    GetMenuItemInfoW(menu, i, TRUE, &info);
    seen += std::to_wstring(info.wID) + ((info.fType & MFT_OWNERDRAW) ? L"od " : L" ");
  }
  RECT first{};
  GetMenuItemRect(owner, menu, 0, &first);
  // Unmeasured owner-drawn entries would be a check mark wide.
  return seen + (first.right - first.left > 150 ? L"wide" : L"narrow");
}

// The texts of the popup's entries, as a screen reader reads them.
std::wstring PopupTexts(HWND popup) {
  const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
  std::wstring texts;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[256] = L"";
    GetMenuStringW(menu, i, text, std::size(text), MF_BYPOSITION);
    texts += (i ? L"|" : L"") + std::wstring(text);
  }
  return texts;
}

// A feature's description as the page shows it: the state named after it.
std::wstring Described(const std::wstring& description, UINT stateName) {
  const std::wstring state = test::ResourceLibraryString(stateName);
  EXPECT_FALSE(state.empty()) << stateName;
  return description.empty() ? state : description + L"\r\n\r\n" + state;
}

// Picks entry `index` with the keyboard, or dismisses the popup (-1), and
// waits until the page has dealt with the choice.
void Choose(const Ui& ui, HWND page, HWND popup, int index) {
  for (int i = 0; i <= index; ++i) PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(popup, WM_KEYDOWN, index < 0 ? VK_ESCAPE : VK_RETURN, 0);
  EXPECT_TRUE(ui.WaitUntilClosed(popup));
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(page, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
}

class SelectFeatureTest : public test::SetupTest {
 protected:
  void SetUp() override {
    SetupTest::SetUp();
    WriteOptionsIni(OptionsIni(L"lumo", L"LUMO", kSample));
  }
};

TEST_F(SelectFeatureTest, OpensWithTheTreeOfOptionsIni) {
  // 8 + 1009 + 5 characters before the seventh field, whose first is the 1023rd.
  const std::wstring longText(1009, L'd');
  struct Case {
    std::wstring ini;  // empty: no Options.ini
    const wchar_t *caption, *tree;
    std::wstring description;
    int picture;
  };
  const Case cases[] = {
      {OptionsIni(L"LuMo", L"LUMO", kSample), L"LUMO 11", kSampleTree, L"The program itself",
       IDC_LUMO_PICTURE},
      {OptionsIni(L"lookglass", L"LOOKGLASS",
                  L"FEATURE1=R;;Root;r;0;0;1\r\nFEATURE2=b;R;b;;1;0;0\r\nFEATURE3=a;R;A;;0;0;0\r\n"
                  L"FEATURE4=c;r;c;;0;0;0\r\nFEATURE5=F;;First;f & g;1;0;0\r\n"),
       L"LOOKGLASS 11", L"First=3*, Root=0 [A=0, b=3, c=0]", L"f & g", IDC_LOOKGLASS_PICTURE},
      {OptionsIni(L"lumo", L"LUMO",
                  L"FEATURE1=L;;Long;" + longText + L";1;0;1x\r\nFEATURE2=C;L;Child;;0;0;0\r\n"),
       L"LUMO 11", L"Long=3*+ [Child=0]", longText, IDC_LUMO_PICTURE},
      {L"", L"", L"", L"", IDC_LOOKGLASS_PICTURE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tree);
    ClearSetupTree();
    DeleteFileW(OptionsIniFile().c_str());
    if (!c.ini.empty()) WriteOptionsIni(c.ini);
    std::wstring caption;
    std::wstring tree, description;
    int picture = 0;
    LONG descriptionStyle = 0;
    test::OpenPage(kPage, [&](Ui& ui, HWND page) {
      caption = test::WindowText(page);
      tree = TreeText(page);
      description = ui.Text(page, IDC_FEATURE_DESCRIPTION);
      descriptionStyle = GetWindowLongW(GetDlgItem(page, IDC_FEATURE_DESCRIPTION), GWL_STYLE);
      for (int id : {IDC_LUMO_PICTURE, IDC_LOOKGLASS_PICTURE})
        if (IsWindowVisible(GetDlgItem(page, id))) picture += id;
      ui.Click(page, IDC_BACK);
    });
    EXPECT_EQ(caption, c.caption);
    EXPECT_EQ(tree, c.tree);
    EXPECT_EQ(description, c.tree[0] ? Described(c.description, IDS_STATE_NAME_LOCAL) : L"");
    EXPECT_EQ(picture, c.picture);
    EXPECT_TRUE(descriptionStyle & SS_NOPREFIX) << L"an ampersand is shown, not an access key";
    EXPECT_EQ(test::RegGetDword(test::kLumoKey, L"_CANCELED"), 0u) << L"opening clears the marker";
  }
}

// Each row opens the page over stored lists, optionally presses Reset, and
// presses Next: what the tree shows, then what Next wrote.
TEST_F(SelectFeatureTest, StoredListsApplyUnlessCancelledAndNextWritesTheFirstSubtree) {
  const wchar_t* kViewerOff =
      L"Viewer=0*+ [A tools=0, b tools=0, Help files=3 [PDF manuals=3]], Z add-ons=0 [Far away=3]";
  struct Case {
    const wchar_t *active, *enabled, *disabled;
    DWORD canceled;
    bool options, reset;
    const wchar_t *tree, *written;
  };
  const Case cases[] = {
      // Case-sensitive substrings; the second top-level item is never written.
      {L"", L"xABC10;Far", L"Hel;Far", 0, true, false,
       L"Viewer=3*+ [A tools=0, b tools=3, Help files=3 [PDF manuals=0]], Z add-ons=0 [Far away=0]",
       L"ABC1|o"},
      // No propagation, the first item too, which is never written either.
      {L"LookGlass", L"Pdf", L"Main", 0, true, false, kViewerOff, L"Pdf|o"},
      {L"ferrix", L"O", L"o", 0, true, false, kSampleTree, L"o|o"},  // "O" and "o": empty lists
      {L"", L"Pdf", L"Main", 1, true, false, kSampleTree, L"o|o"},   // after a cancelled run
      // Reset restores the first subtree only.
      {L"", L"ABC1", L"Main;Help;Far", 0, true, true,
       L"Viewer=3*+ [A tools=0, b tools=0, Help files=3 [PDF manuals=0]], Z add-ons=0 [Far away=0]",
       L"o|o"},
      {L"", L"o", L"o", 0, false, true, L"", L"o|o"},  // no features: Reset does nothing
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::wstring(c.active) + L" " + c.enabled + L" " + c.disabled);
    ClearSetupTree();
    if (!c.options) DeleteFileW(OptionsIniFile().c_str());
    const bool lookglass = c.active[0] == L'L';
    const std::wstring& key = lookglass ? test::kLookglassKey : test::kLumoKey;
    const std::wstring& other = lookglass ? test::kLumoKey : test::kLookglassKey;
    test::RegSetString(test::kOptionsKey, L"active", c.active);
    for (const std::wstring* k : {&key, &other}) {
      test::RegSetString(*k, L"FEATURE_ENABLED", k == &key ? c.enabled : L"abc1");
      test::RegSetString(*k, L"FEATURE_DISABLED", k == &key ? c.disabled : L"Help");
      test::RegSetDword(*k, L"_CANCELED", c.canceled);
    }
    std::wstring tree;
    EXPECT_EQ(test::OpenPage(kPage,
                             [&](Ui& ui, HWND page) {
                               if (c.reset) ui.SendPressed(page, IDC_RESET_FEATURES);
                               tree = TreeText(page);
                               ui.SendPressed(page, IDC_NEXT);
                             }),
              KELVRA_NEXT);
    EXPECT_EQ(tree, c.tree);
    EXPECT_EQ(*test::RegGetString(key, L"FEATURE_ENABLED") + L"|" +
                  *test::RegGetString(key, L"FEATURE_DISABLED"),
              c.written);
    EXPECT_EQ(test::RegGetDword(key, L"_CANCELED"), 0u);
    EXPECT_EQ(*test::RegGetString(other, L"FEATURE_DISABLED"), L"Help") << L"the other key is left";
  }
}

TEST_F(SelectFeatureTest, OnlyAClickOnTheImageOpensThePopup) {
  std::wstring first, second, afterTextClick;
  HWND onText = nullptr, onButton = nullptr;
  test::OpenPage(kPage, [&](Ui& ui, HWND page) {
    HWND tree = GetDlgItem(page, IDC_FEATURE_TREE);
    ClickOn(tree, L"Viewer", TVHT_ONITEMICON);
    HWND popup = WaitForPopup(ui);
    ASSERT_NE(popup, nullptr);
    first = ReadPopup(popup, tree);
    // Drawn by the bitmap menu: white where a plain menu is grey.
    const auto release = [popup](HDC dc) { ReleaseDC(popup, dc); };
    const std::unique_ptr<HDC__, decltype(release)> dc(GetDC(popup), release);
    RECT client;
    GetClientRect(popup, &client);
    if (GetPixel(dc.get(), client.right - 6, client.bottom / 2) == RGB(255, 255, 255))
      first += L" white";
    Choose(ui, page, popup, -1);

    ClickOn(tree, L"Z add-ons", TVHT_ONITEMICON);
    popup = WaitForPopup(ui);
    ASSERT_NE(popup, nullptr);
    second = ReadPopup(popup, tree);
    Choose(ui, page, popup, 0);

    // Posted clicks are dealt with after anything sent, so wait for each to show.
    const HTREEITEM tools = Find(tree, L"A tools");
    ClickOn(tree, L"A tools", TVHT_ONITEMLABEL);
    WaitUntil([&] { return Next(tree, nullptr, TVGN_CARET) == tools; });
    onText = WaitForPopup(ui, 300);
    afterTextClick = ui.Text(page, IDC_FEATURE_DESCRIPTION) + L"|" + TreeText(page);
    const HTREEITEM help = Find(tree, L"Help files");
    ClickOn(tree, L"Help files", TVHT_ONITEMBUTTON);
    WaitUntil([&] {  // the button expands the collapsed item
      return SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(help), TVIS_EXPANDED) &
             TVIS_EXPANDED;
    });
    onButton = WaitForPopup(ui, 300);
    ui.Click(page, IDC_BACK);
  });
  EXPECT_EQ(first, L"8od wide white") << L"the first item cannot be disabled";
  EXPECT_EQ(second, L"8od 1od wide") << L"local first";
  EXPECT_EQ(onText, nullptr);
  EXPECT_EQ(onButton, nullptr);
  EXPECT_EQ(
      afterTextClick,
      Described(L"", IDS_STATE_NAME_DISABLED) +
          L"|Viewer=3+ [A tools=0*, b tools=0, Help files=3 [PDF manuals=0]], Z add-ons=3 [Far "
          L"away=3]")
      << L"local chosen for Z add-ons; a click on a text selects as usual";
}

// Generated titles that sort apart by case, by digits and by letters of code
// page 1252, and often not at all, some in runs of three and more: F1..F6 at
// the top, F7..F20 below them, the rest below those. Beside it, the same features put into a tree
// control in file order with TVI_SORT, each showing the page's image for it.
struct GeneratedList {
  std::wstring lines;
  std::wstring sortedByTheTree;
};

GeneratedList GenerateFeatures(int count) {
  static const wchar_t* const kPieces[] = {
      L"a",      L"A",      L"b",      L"B",      L"0",  L"1",      L"10",     L"9",  L"\u00e9",
      L"\u00c9", L"\u00c4", L"\u00e4", L"\u00df", L"ss", L"\u00e6", L"\u00c6", L"ae", L"e"};
  unsigned seed = 25;
  const auto next = [&seed](unsigned below) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % below;
  };
  const test::ScopedWindow tree(CreateWindowExW(0, WC_TREEVIEWW, L"", WS_POPUP, 0, 0, 200, 200,
                                                nullptr, nullptr, nullptr, nullptr));
  std::vector<HTREEITEM> items(count + 1);
  GeneratedList list;
  for (int n = 1; n <= count; ++n) {
    std::wstring title = kPieces[next(std::size(kPieces))];
    if (next(4) == 0) title += kPieces[next(std::size(kPieces))];  // most of one piece
    const int parent = n <= 6 ? 0 : 1 + next(n <= 20 ? n - 1 : 20);
    const bool local = next(2);
    list.lines += L"FEATURE" + std::to_wstring(n) + L"=F" + std::to_wstring(n) + L";" +
                  (parent ? L"F" + std::to_wstring(parent) : L"") + L";" + title + L";;" +
                  (local ? L"1" : L"0") + L";0;" + (n <= 20 ? L"1" : L"0") + L"\r\n";
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent ? items[parent] : TVI_ROOT;
    insert.hInsertAfter = TVI_SORT;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE;
    insert.item.pszText = &title[0];
    insert.item.iImage = local ? 3 : 0;
    items[n] = reinterpret_cast<HTREEITEM>(
        SendMessageW(tree.get(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  }
  // The page opens with its first item selected and expanded.
  const HTREEITEM first = Next(tree.get(), nullptr, TVGN_ROOT);
  SendMessageW(tree.get(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(first));
  SendMessageW(tree.get(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(first));
  list.sortedByTheTree = TreeText(tree.get(), first);
  return list;
}

TEST_F(SelectFeatureTest, SiblingsStandAsTheTreesOwnSortingPutsThem) {
  const GeneratedList list = GenerateFeatures(300);
  WriteOptionsIni(OptionsIni(L"lumo", L"LUMO", list.lines));
  std::wstring tree;
  test::OpenPage(kPage, [&](Ui& ui, HWND page) {
    tree = TreeText(page);
    ui.Click(page, IDC_BACK);
  });
  EXPECT_NE(list.sortedByTheTree.find(L" ["), std::wstring::npos) << L"a tree with children";
  EXPECT_EQ(tree, list.sortedByTheTree);
}

// Real key presses, as the keyboard sends them to the focused window.
void Type(const std::vector<WORD>& keys) {
  std::vector<INPUT> inputs(2 * keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    INPUT& down = inputs[i];
    INPUT& up = inputs[inputs.size() - 1 - i];
    down.type = up.type = INPUT_KEYBOARD;
    down.ki.wVk = up.ki.wVk = keys[i];
    up.ki.dwFlags = KEYEVENTF_KEYUP;
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

TEST_F(SelectFeatureTest, TheKeyboardOpensTheSamePopupAtTheSelectedImage) {
  const std::vector<WORD> cases[] = {{VK_SPACE}, {VK_APPS}, {VK_SHIFT, VK_F10}};
  for (const std::vector<WORD>& keys : cases) {
    SCOPED_TRACE(keys.back());
    std::wstring seen, texts, tree, description;
    RECT popupRect{}, image{};
    test::OpenPage(kPage, [&](Ui& ui, HWND page) {
      HWND control = GetDlgItem(page, IDC_FEATURE_TREE);
      GUITHREADINFO focus{};
      focus.cbSize = sizeof focus;
      GetGUIThreadInfo(ui.PageThread(), &focus);
      ASSERT_EQ(focus.hwndFocus, control) << L"the tree has the focus when the page opens";
      HTREEITEM item = Find(control, L"Help files");
      SendMessageW(control, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
      Type(keys);
      HWND popup = WaitForPopup(ui);
      ASSERT_NE(popup, nullptr);
      Sleep(200);
      ASSERT_TRUE(IsWindowVisible(popup)) << L"releasing the keys leaves the popup open";
      seen = ReadPopup(popup, control);
      texts = PopupTexts(popup);
      GetWindowRect(popup, &popupRect);
      image = ItemRect(control, item, false);
      image.right = ItemRect(control, item, true).left;
      MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&image), 2);
      Choose(ui, page, popup, 1);
      tree = TreeText(page);
      description = ui.Text(page, IDC_FEATURE_DESCRIPTION);
      ui.Click(page, IDC_BACK);
    });
    EXPECT_EQ(seen, L"8od 1od wide");
    EXPECT_EQ(texts, test::ResourceLibraryString(IDS_STATE_CHOICE_LOCAL) + L"|" +
                         test::ResourceLibraryString(IDS_STATE_CHOICE_DISABLE))
        << L"owner-drawn entries keep their text";
    EXPECT_EQ(description, Described(L"Manuals", IDS_STATE_NAME_DISABLED))
        << L"the description names the chosen state";
    EXPECT_TRUE(popupRect.left >= image.right - 40 && popupRect.left < image.right &&
                popupRect.top >= image.top && popupRect.top < image.bottom)
        << L"at the image";
    EXPECT_EQ(tree,
              L"Viewer=0+ [A tools=0, b tools=0, Help files=0* [PDF manuals=0]], Z add-ons=0 [Far "
              L"away=3]")
        << L"disabled with its child, and its parent, left without an enabled child";
  }
}

}  // namespace
