#include "tests/win/support/folder_picker.h"

#include <commctrl.h>
#include <shlobj.h>

namespace test {
namespace {

BOOL CALLBACK FindTree(HWND child, LPARAM found) {
  char cls[32] = "";
  GetClassNameA(child, cls, sizeof cls);
  if (lstrcmpiA(cls, WC_TREEVIEWA) != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

HWND PickerTree(HWND picker) {
  HWND tree = nullptr;
  EnumChildWindows(picker, FindTree, reinterpret_cast<LPARAM>(&tree));
  return tree;
}

HTREEITEM NextItem(HWND tree, HTREEITEM item, UINT relation) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

std::string ItemText(HWND tree, HTREEITEM handle) {
  char text[MAX_PATH] = "";
  TVITEMA item{};
  item.mask = TVIF_TEXT;
  item.hItem = handle;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  // The robot shares the page's process, so the buffer can be sent.
  if (handle) SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return text;
}

// Clicks `name` among the siblings of the selected item, as a user would
// when the picker ignored a selection it was sent.
void ClickSibling(HWND tree, const std::string& name) {
  HTREEITEM parent = NextItem(tree, NextItem(tree, nullptr, TVGN_CARET), TVGN_PARENT);
  for (HTREEITEM item = NextItem(tree, parent, TVGN_CHILD); item;
       item = NextItem(tree, item, TVGN_NEXT)) {
    if (ItemText(tree, item) != name) continue;
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    return;
  }
}

}  // namespace

std::string PickerSelectedName(HWND picker) {
  HWND tree = PickerTree(picker);
  return tree ? ItemText(tree, NextItem(tree, nullptr, TVGN_CARET)) : std::string();
}

namespace {

bool ShowsSelected(HWND picker, const std::string& name, DWORD timeoutMs) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(10))
    if (PickerSelectedName(picker) == name) return true;
  return false;
}

}  // namespace

bool WaitForPickerSelection(HWND picker, const std::string& name) {
  return ShowsSelected(picker, name, 5000);
}

bool SelectInPicker(HWND picker, const std::string& folder, const std::string& name) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
    if (ShowsSelected(picker, name, 1000)) return true;
    if (HWND tree = PickerTree(picker)) ClickSibling(tree, name);
    if (ShowsSelected(picker, name, 1000)) return true;
  }
  return false;
}

}  // namespace test
