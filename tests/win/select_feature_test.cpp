// The feature selection page through its real export: the tree it builds
// from Options.ini, the stored lists, Reset, Next, and the install-state
// popup opened by mouse and keyboard as a user would.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "kit/scoped_handle.h"
#include "library/kelvra.h"
#include "resdll/kelvrares_ids.h"
#include "tests/win/support/page_kit.h"

namespace {

using test::Ui;

const std::string kLumoKey = test::kOptionsKey + std::string("\\Lumo");
const std::string kLookglassKey = test::kOptionsKey + std::string("\\Lookglass");
const char kPage[] = "SelectFeatureDlg";
const char kEnabled[] = "FEATURE_ENABLED";
const char kDisabled[] = "FEATURE_DISABLED";

// Viewer > {Help files > PDF manuals, b tools, A tools}; Add-ons > Far away.
// Orphan and Hidden are never shown.
const char kSample[] =
    "FEATURE1=Main;;Viewer;The program itself;1;0;1\r\n"
    "FEATURE2=Help;MAIN;Help files;Manuals;1;0;1\r\n"
    "FEATURE3=Pdf;help;PDF manuals;Printable;0;7;0\r\n"
    "FEATURE4=ABC1;Main;b tools;;0;0;0\r\n"
    "FEATURE5=abc1;Main;A tools;;0;0;0\r\n"
    "FEATURE6=Extra;;Z add-ons;;0;0;1\r\n"
    "FEATURE7=Far;Extra;Far away;;1;0;0\r\n"
    "FEATURE8=Lost;Nobody;Orphan;;1;0;0\r\n"
    "FEATURE9=Hidden;Pdf;Hidden;;1;0;0\r\n";
const char kSampleTree[] =
    "Viewer=3*+ [A tools=0, b tools=0, Help files=3 [PDF manuals=0]], Z add-ons=0 [Far away=3]";

std::string OptionsIni(const std::string& selection, const std::string& section,
                       const std::string& lines) {
  return "[TREL_OPTIONS]\r\nFEATURE_SELECTION=" + selection + "\r\n[" + section +
         "]\r\nPRODUCT_NAME=" + section + " 11\r\n" + lines;
}

HWND Tree(HWND page) {
  return GetDlgItem(page, IDC_FEATURE_TREE);
}

HTREEITEM Next(HWND tree, HTREEITEM item, UINT code) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
}

// "Title=image" per item, '!' when the selected image differs, '*' on the
// selected item and '+' when expanded (unless `imagesOnly`), children in brackets.
std::string TreeText(HWND tree, HTREEITEM first, bool imagesOnly = false) {
  std::string text;
  for (HTREEITEM item = first; item; item = Next(tree, item, TVGN_NEXT)) {
    char title[256] = "";
    TVITEMA data{};
    data.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_HANDLE;
    data.hItem = item;
    data.pszText = title;
    data.cchTextMax = sizeof title;
    data.stateMask = TVIS_SELECTED | TVIS_EXPANDED;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    if (!text.empty()) text += ", ";
    text += std::string(title) + "=" + std::to_string(data.iImage);
    if (data.iSelectedImage != data.iImage) text += "!";
    if (!imagesOnly && (data.state & TVIS_SELECTED)) text += "*";
    if (!imagesOnly && (data.state & TVIS_EXPANDED)) text += "+";
    if (HTREEITEM child = Next(tree, item, TVGN_CHILD))
      text += " [" + TreeText(tree, child, imagesOnly) + "]";
  }
  return text;
}

std::string TreeText(HWND page, bool imagesOnly = false) {
  return TreeText(Tree(page), Next(Tree(page), nullptr, TVGN_ROOT), imagesOnly);
}

HTREEITEM Find(HWND tree, HTREEITEM first, const std::string& title) {
  for (HTREEITEM item = first; item; item = Next(tree, item, TVGN_NEXT)) {
    char text[256] = "";
    TVITEMA data{};
    data.mask = TVIF_TEXT | TVIF_HANDLE;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    if (title == text) return item;
    if (HTREEITEM found = Find(tree, Next(tree, item, TVGN_CHILD), title)) return found;
  }
  return nullptr;
}

HTREEITEM Find(HWND page, const std::string& title) {
  HTREEITEM item = Find(Tree(page), Next(Tree(page), nullptr, TVGN_ROOT), title);
  EXPECT_NE(item, nullptr) << title;
  return item;
}

RECT ItemRect(HWND tree, HTREEITEM item, bool textOnly) {
  RECT rect{};
  std::memcpy(&rect, &item, sizeof item);  // the message takes the item in the rectangle
  SendMessageA(tree, TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(&rect));
  return rect;
}

// A client point of the item that hit-tests as `part` (TVHT_ONITEMICON...),
// searched leftwards from the text.
POINT PointOn(HWND tree, HTREEITEM item, UINT part) {
  const RECT text = ItemRect(tree, item, true);
  for (int x = text.right - 2; x >= 0; --x) {
    TVHITTESTINFO hit{};
    hit.pt = {x, (text.top + text.bottom) / 2};
    if (reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))) == item &&
        (hit.flags & part))
      return hit.pt;
  }
  ADD_FAILURE() << "no point on part " << part;
  return {-100, -100};
}

void PostClick(HWND tree, POINT point) {
  PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
  PostMessageA(tree, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

BOOL CALLBACK FindPopup(HWND window, LPARAM out) {
  char cls[16] = "";
  GetClassNameA(window, cls, sizeof cls);
  if (lstrcmpA(cls, "#32768") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(out) = window;
  return FALSE;
}

// The page thread's open popup menu window, or null after `timeoutMs`.
HWND WaitForPopup(const Ui& ui, DWORD timeoutMs = 3000) {
  for (DWORD waited = 0;; waited += 10) {
    HWND popup = nullptr;
    EnumThreadWindows(ui.PageThread(), FindPopup, reinterpret_cast<LPARAM>(&popup));
    if (popup || waited >= timeoutMs) return popup;
    Sleep(10);
  }
}

struct PopupSeen {
  std::vector<UINT> commands;
  bool allOwnerDrawn = true;
  std::vector<RECT> entries;  // screen rectangles
};

PopupSeen ReadPopup(HWND popup, HWND owner) {
  PopupSeen seen;
  const auto menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID;
    GetMenuItemInfoA(menu, i, TRUE, &info);
    seen.commands.push_back(info.wID);
    seen.allOwnerDrawn = seen.allOwnerDrawn && (info.fType & MFT_OWNERDRAW);
    RECT rect{};
    GetMenuItemRect(owner, menu, i, &rect);
    seen.entries.push_back(rect);
  }
  return seen;
}

// Picks entry `index` with the keyboard, or dismisses the popup (-1).
void Choose(const Ui& ui, HWND popup, int index) {
  for (int i = 0; i <= index; ++i) PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(popup, WM_KEYDOWN, index < 0 ? VK_ESCAPE : VK_RETURN, 0);
  EXPECT_TRUE(ui.WaitUntilClosed(popup));
}

// Waits until the page has dealt with everything posted to it so far.
void Settle(HWND page) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(page, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
}

class SelectFeatureTest : public test::SetupTest {
 protected:
  void SetUp() override {
    SetupTest::SetUp();
    WriteOptionsIni(OptionsIni("lumo", "LUMO", kSample));
  }
};

TEST_F(SelectFeatureTest, OpensWithTheTreeOfOptionsIni) {
  // 8 + 1009 + 5 characters before the seventh field, whose first character is the 1023rd.
  const std::string longDescription(1009, 'd');
  struct Case {
    const char* what;
    std::string ini;  // empty: no Options.ini
    const char* caption;
    int picture;
    const char* tree;
    std::string description;
  };
  const Case cases[] = {
      {"sample", OptionsIni("LuMo", "LUMO", kSample), "LUMO 11", IDC_LUMO_PICTURE, kSampleTree,
       "The program itself"},
      {"Lookglass, siblings sorted by title",
       OptionsIni("lookglass", "LOOKGLASS",
                  "FEATURE1=R;;Root;;0;0;1\r\nFEATURE2=b;R;b;;1;0;0\r\nFEATURE3=a;R;A;;0;0;0\r\n"
                  "FEATURE4=c;R;c;;0;0;0\r\n"),
       "LOOKGLASS 11", IDC_LOOKGLASS_PICTURE, "Root=0*+ [A=0, b=3, c=0]", ""},
      {"first top-level item in sorted order",
       OptionsIni("lumo", "LUMO", "FEATURE1=Z;;Zeta;z;1;0;0\r\nFEATURE2=A;;Alpha;a;0;0;0\r\n"),
       "LUMO 11", IDC_LUMO_PICTURE, "Alpha=0*, Zeta=3", "a"},
      {"the numbers stop at a gap",
       OptionsIni("lumo", "LUMO", "FEATURE1=A;;One;;1;0;0\r\nFEATURE3=C;;Three;;1;0;0\r\n"),
       "LUMO 11", IDC_LUMO_PICTURE, "One=3*", ""},
      {"no FEATURE1", OptionsIni("lumo", "LUMO", "FEATURE2=B;;Two;;1;0;0\r\n"), "LUMO 11",
       IDC_LUMO_PICTURE, "", ""},
      {"a value keeps its first 1023 characters: \"1\" of \"1x\" makes the children show",
       OptionsIni(
           "lumo", "LUMO",
           "FEATURE1=L;;Long;" + longDescription + ";1;0;1x\r\nFEATURE2=C;L;Child;;0;0;0\r\n"),
       "LUMO 11", IDC_LUMO_PICTURE, "Long=3*+ [Child=0]", longDescription},
      {"an empty name and a cycle of parents end",
       OptionsIni("lumo", "LUMO",
                  "FEATURE1=;;Nameless;;1;0;1\r\nFEATURE2=X;;X;;1;0;1\r\nFEATURE3=Y;x;Y;;1;0;1\r\n"
                  "FEATURE4=x;Y;x again;;1;0;1\r\n"),
       "LUMO 11", IDC_LUMO_PICTURE, "Nameless=3*, X=3 [Y=3 [x again=3]]", ""},
      {"no Options.ini", "", "", IDC_LOOKGLASS_PICTURE, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ClearSetupTree();
    if (c.ini.empty())
      DeleteFileA(OptionsIniFile().c_str());
    else
      WriteOptionsIni(c.ini);
    char caption[256] = "";
    std::string tree, description;
    bool lumoShown = false, lookglassShown = false;
    test::OpenPage(kPage, [&](Ui& ui, HWND page) {
      GetWindowTextA(page, caption, sizeof caption);
      tree = TreeText(page);
      description = ui.Text(page, IDC_FEATURE_DESCRIPTION);
      lumoShown = IsWindowVisible(GetDlgItem(page, IDC_LUMO_PICTURE));
      lookglassShown = IsWindowVisible(GetDlgItem(page, IDC_LOOKGLASS_PICTURE));
      ui.Click(page, IDC_BACK);
    });
    EXPECT_STREQ(caption, c.caption);
    EXPECT_EQ(tree, c.tree);
    EXPECT_EQ(description, c.description);
    EXPECT_EQ(lumoShown, c.picture == IDC_LUMO_PICTURE);
    EXPECT_EQ(lookglassShown, c.picture == IDC_LOOKGLASS_PICTURE);
    EXPECT_EQ(test::RegGetDword(kLumoKey, "_CANCELED"), 0u) << "opening clears the marker";
  }
}

TEST_F(SelectFeatureTest, StoredListsApplyUnlessTheLastRunWasCancelled) {
  struct Case {
    const char* what;
    const char* active;  // null: no "active"
    const std::string* key;
    const char* enabled;
    const char* disabled;
    DWORD canceled;
    const char* tree;
  };
  const Case cases[] = {
      {"case-sensitive substrings", nullptr, &kLumoKey, "xABC10;Far", "Hel", 0,
       "Viewer=3*+ [A tools=0, b tools=3, Help files=3 [PDF manuals=0]], Z add-ons=0 [Far "
       "away=3]"},
      {"no propagation; the first item too", "ferrix", &kLumoKey, "Pdf", "Main;Help", 0,
       "Viewer=0*+ [A tools=0, b tools=0, Help files=0 [PDF manuals=3]], Z add-ons=0 [Far away=3]"},
      {"both letters stand for an empty list", nullptr, &kLumoKey, "O", "o", 0, kSampleTree},
      {"a cancelled run ignores both", nullptr, &kLumoKey, "Pdf", "Main", 1, kSampleTree},
      {"Lookglass reads its own key", "LookGlass", &kLookglassKey, "Pdf", "Main", 0,
       "Viewer=0*+ [A tools=0, b tools=0, Help files=3 [PDF manuals=3]], Z add-ons=0 [Far away=3]"},
      {"and not Lumo's", "LOOKGLASS", &kLumoKey, "Pdf", "Main", 0, kSampleTree},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ClearSetupTree();
    if (c.active) test::RegSetString(test::kOptionsKey, "active", c.active);
    test::RegSetString(*c.key, kEnabled, c.enabled);
    test::RegSetString(*c.key, kDisabled, c.disabled);
    test::RegSetDword(*c.key, "_CANCELED", c.canceled);
    std::string tree;
    test::OpenPage(kPage, [&](Ui& ui, HWND page) {
      tree = TreeText(page);
      ui.Click(page, IDC_BACK);
    });
    EXPECT_EQ(tree, c.tree);
    EXPECT_EQ(test::RegGetDword(*c.key, "_CANCELED"), 0u);
  }
}

TEST_F(SelectFeatureTest, NextWritesTheChangesOfTheFirstSubtreeOnly) {
  struct Case {
    const char* what;
    const char* active;
    const char* enabled;  // stored before the page opens
    const char* disabled;
    bool reset;
    const std::string* key;
    const char* writtenEnabled;
    const char* writtenDisabled;
  };
  const Case cases[] = {
      {"nothing changed", "lumo", "o", "o", false, &kLumoKey, "o", "o"},
      {"changes", "lumo", "ABC1", "Main;Help;Far", false, &kLumoKey, "ABC1", "Help"},
      {"Lookglass", "lookglass", "ABC1", "o", false, &kLookglassKey, "ABC1", "o"},
      {"Reset first", "lumo", "ABC1", "Main;Help;Far", true, &kLumoKey, "o", "o"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ClearSetupTree();
    test::RegSetString(test::kOptionsKey, "active", c.active);
    test::RegSetString(*c.key, kEnabled, c.enabled);
    test::RegSetString(*c.key, kDisabled, c.disabled);
    std::string afterReset;
    const int result = test::OpenPage(kPage, [&](Ui& ui, HWND page) {
      if (c.reset) {
        ui.SendPressed(page, IDC_RESET_FEATURES);
        afterReset = TreeText(page);
      }
      ui.SendPressed(page, IDC_NEXT);
    });
    EXPECT_EQ(result, KELVRA_NEXT);
    EXPECT_EQ(test::RegGetString(*c.key, kEnabled), c.writtenEnabled);
    EXPECT_EQ(test::RegGetString(*c.key, kDisabled), c.writtenDisabled);
    if (c.reset) {
      EXPECT_EQ(afterReset,
                "Viewer=3*+ [A tools=0, b tools=0, Help files=3 [PDF manuals=0]], Z add-ons=0 "
                "[Far away=0]")
          << "the second subtree keeps its change";
    }
    if (c.key == &kLookglassKey) {
      EXPECT_FALSE(test::RegKeyExists(kLumoKey));
    }
  }
}

TEST_F(SelectFeatureTest, AnEmptyTreeStillOpensResetsAndStores) {
  DeleteFileA(OptionsIniFile().c_str());
  const int result = test::OpenPage(kPage, [&](Ui& ui, HWND page) {
    ui.SendPressed(page, IDC_RESET_FEATURES);
    PostMessageA(Tree(page), WM_KEYDOWN, VK_SPACE, 0);
    Settle(page);
    EXPECT_EQ(WaitForPopup(ui, 200), nullptr) << "no item, no popup";
    ui.SendPressed(page, IDC_NEXT);
  });
  EXPECT_EQ(result, KELVRA_NEXT);
  EXPECT_EQ(test::RegGetString(kLumoKey, kEnabled), "o");
  EXPECT_EQ(test::RegGetString(kLumoKey, kDisabled), "o");
}

SIZE MenuTextSize(const std::string& text) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  const kit::ScopedFont font(CreateFontIndirectA(&metrics.lfMenuFont));
  kit::ScopedMemoryDC dc(nullptr, font.get());
  SIZE size{};
  GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

TEST_F(SelectFeatureTest, AClickOnTheImageOpensThePopupOfInstallStates) {
  PopupSeen first, other;
  bool firstDrawnWhite = false;
  HWND onText = nullptr, onButton = nullptr;
  std::string selectedAfterTextClick;
  test::OpenPage(kPage, [&](Ui& ui, HWND page) {
    HWND tree = Tree(page);
    PostClick(tree, PointOn(tree, Find(page, "Viewer"), TVHT_ONITEMICON));
    HWND popup = WaitForPopup(ui);
    ASSERT_NE(popup, nullptr);
    first = ReadPopup(popup, tree);
    // Owner-drawn entries are white where the menu itself would be grey.
    {
      HDC dc = GetDC(popup);
      RECT client;
      GetClientRect(popup, &client);
      firstDrawnWhite = GetPixel(dc, client.right - 6, client.bottom / 2) == RGB(255, 255, 255);
      ReleaseDC(popup, dc);
    }
    Choose(ui, popup, -1);

    PostClick(tree, PointOn(tree, Find(page, "Z add-ons"), TVHT_ONITEMICON));
    popup = WaitForPopup(ui);
    ASSERT_NE(popup, nullptr);
    other = ReadPopup(popup, tree);
    Choose(ui, popup, -1);

    PostClick(tree, PointOn(tree, Find(page, "A tools"), TVHT_ONITEMLABEL));
    onText = WaitForPopup(ui, 300);
    Settle(page);
    selectedAfterTextClick = ui.Text(page, IDC_FEATURE_DESCRIPTION) + "|" + TreeText(page);
    PostClick(tree, PointOn(tree, Find(page, "Help files"), TVHT_ONITEMBUTTON));
    onButton = WaitForPopup(ui, 300);
    ui.Click(page, IDC_BACK);
  });
  EXPECT_EQ(first.commands, (std::vector<UINT>{8})) << "the first item cannot be disabled";
  EXPECT_EQ(other.commands, (std::vector<UINT>{8, 1}))
      << "local first, on a second top-level item too";
  EXPECT_TRUE(first.allOwnerDrawn && other.allOwnerDrawn);
  ASSERT_EQ(other.entries.size(), 2u);
  const SIZE local = MenuTextSize("Installs the option in the local machine.");
  EXPECT_GE(other.entries[0].right - other.entries[0].left, local.cx + 56)
      << "the tree routes the popup's measuring to the bitmap menu";
  EXPECT_TRUE(firstDrawnWhite) << "and its drawing";
  EXPECT_EQ(onText, nullptr);
  EXPECT_EQ(onButton, nullptr);
  EXPECT_EQ(selectedAfterTextClick,
            "|Viewer=3+ [A tools=0*, b tools=0, Help files=3 [PDF manuals=0]], Z add-ons=0 [Far "
            "away=3]")
      << "a click on the text selects as usual";
}

TEST_F(SelectFeatureTest, ChoicesChangeTheItemAndOneLevelAround) {
  struct Step {
    const char* item;
    int entry;  // 0 local, 1 disabled, -1 dismissed
  };
  struct Case {
    const char* what;
    std::vector<Step> steps;
    const char* tree;
  };
  const Case cases[] = {
      {"one of two enabled children: the parent stays, the children follow",
       {{"A tools", 0}, {"PDF manuals", 0}, {"Help files", 1}},
       "Viewer=3 [A tools=3, b tools=0, Help files=0 [PDF manuals=0]], Z add-ons=0 [Far away=3]"},
      {"the last enabled child takes its parent along, not the grandparent",
       {{"PDF manuals", 0}, {"PDF manuals", 1}},
       "Viewer=3 [A tools=0, b tools=0, Help files=0 [PDF manuals=0]], Z add-ons=0 [Far away=3]"},
      {"local switches a disabled parent on, not the grandparent",
       {{"Help files", 1}, {"PDF manuals", 0}},
       "Viewer=0 [A tools=0, b tools=0, Help files=3 [PDF manuals=3]], Z add-ons=0 [Far away=3]"},
      {"dismissed",
       {{"Help files", -1}, {"Viewer", -1}},
       "Viewer=3 [A tools=0, b tools=0, Help files=3 [PDF manuals=0]], Z add-ons=0 [Far away=3]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ClearSetupTree();
    std::string tree;
    test::OpenPage(kPage, [&](Ui& ui, HWND page) {
      SendMessageA(Tree(page), TVM_EXPAND, TVE_EXPAND,
                   reinterpret_cast<LPARAM>(Find(page, "Help files")));
      for (const Step& step : c.steps) {
        PostClick(Tree(page), PointOn(Tree(page), Find(page, step.item), TVHT_ONITEMICON));
        HWND popup = WaitForPopup(ui);
        ASSERT_NE(popup, nullptr) << step.item;
        Choose(ui, popup, step.entry);
        Settle(page);
      }
      tree = TreeText(page, true);
      ui.Click(page, IDC_BACK);
    });
    EXPECT_EQ(tree, c.tree);
  }
}

// Real key presses, as the keyboard sends them to the focused window.
void Type(const std::vector<std::pair<WORD, bool>>& keys) {
  std::vector<INPUT> inputs;
  for (const auto& key : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key.first;
    input.ki.dwFlags = key.second ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

TEST_F(SelectFeatureTest, TheKeyboardOpensTheSamePopupAtTheSelectedImage) {
  struct Case {
    const char* what;
    std::vector<std::pair<WORD, bool>> keys;
  };
  const Case cases[] = {
      {"Space", {{VK_SPACE, false}, {VK_SPACE, true}}},
      {"context-menu key", {{VK_APPS, false}, {VK_APPS, true}}},
      {"Shift+F10", {{VK_SHIFT, false}, {VK_F10, false}, {VK_F10, true}, {VK_SHIFT, true}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ClearSetupTree();
    PopupSeen seen;
    RECT popupRect{}, image{};
    std::string treeText, description;
    test::OpenPage(kPage, [&](Ui& ui, HWND page) {
      HWND tree = Tree(page);
      GUITHREADINFO focus{};
      focus.cbSize = sizeof focus;
      GetGUIThreadInfo(ui.PageThread(), &focus);
      ASSERT_EQ(focus.hwndFocus, tree) << "the tree has the focus when the page opens";
      HTREEITEM item = Find(page, "Help files");
      SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
      Type(c.keys);
      HWND popup = WaitForPopup(ui);
      ASSERT_NE(popup, nullptr);
      Sleep(200);  // the key releases reach the open popup too
      ASSERT_TRUE(IsWindowVisible(popup)) << "releasing the keys leaves the popup open";
      seen = ReadPopup(popup, tree);
      GetWindowRect(popup, &popupRect);
      image = ItemRect(tree, item, false);
      const RECT text = ItemRect(tree, item, true);
      image.right = text.left;
      MapWindowPoints(tree, nullptr, reinterpret_cast<POINT*>(&image), 2);
      Choose(ui, popup, 1);
      Settle(page);
      description = ui.Text(page, IDC_FEATURE_DESCRIPTION);
      treeText = TreeText(page);
      ui.Click(page, IDC_BACK);
    });
    EXPECT_EQ(seen.commands, (std::vector<UINT>{8, 1}));
    EXPECT_GE(popupRect.left, image.right - 40) << "at the item's image";
    EXPECT_LT(popupRect.left, image.right);
    EXPECT_GE(popupRect.top, image.top);
    EXPECT_LT(popupRect.top, image.bottom);
    EXPECT_EQ(treeText,
              "Viewer=0+ [A tools=0, b tools=0, Help files=0* [PDF manuals=0]], Z add-ons=0 [Far "
              "away=3]")
        << "disabled, with the propagation; the selection stayed";
    EXPECT_EQ(description, "Manuals");
  }
}

}  // namespace

KELVRA_SHARED_PAGE_RULES(SelectFeature, {"SelectFeatureDlg", kLookglassKey, 0, [] {
                                           test::RegSetString(test::kOptionsKey, "active",
                                                              "Lookglass");
                                           // Opening the page sets the marker to 0.
                                           test::RegSetDword(kLookglassKey, "_CANCELED", 0);
                                         }});
