#include "tests/win/support/folder_picker.h"

#include <commctrl.h>
#include <shlobj.h>

#include "tests/win/support/robot.h"

namespace test {
namespace {

BOOL CALLBACK FindTree(HWND child, LPARAM found) {
  if (lstrcmpiW(ClassName(child).c_str(), WC_TREEVIEWW) != 0) return TRUE;
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
      SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

std::wstring ItemText(HWND tree, HTREEITEM handle) {
  wchar_t text[MAX_PATH] = L"";
  TVITEMW item{};
  item.mask = TVIF_TEXT;
  item.hItem = handle;
  item.pszText = text;
  item.cchTextMax = std::size(text);
  // The robot shares the page's process, so the buffer can be sent.
  if (handle) SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return text;
}

// Clicks `name` among the siblings of the selected item, as a user would
// when the picker ignored a selection it was sent.
void ClickSibling(HWND tree, const std::wstring& name) {
  HTREEITEM parent = NextItem(tree, NextItem(tree, nullptr, TVGN_CARET), TVGN_PARENT);
  for (HTREEITEM item = NextItem(tree, parent, TVGN_CHILD); item;
       item = NextItem(tree, item, TVGN_NEXT)) {
    if (ItemText(tree, item) != name) continue;
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    return;
  }
}

}  // namespace

std::wstring PickerSelectedName(HWND picker) {
  HWND tree = PickerTree(picker);
  return tree ? ItemText(tree, NextItem(tree, nullptr, TVGN_CARET)) : std::wstring();
}

namespace {

bool ShowsSelected(HWND picker, const std::wstring& name, DWORD timeoutMs) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(10))
    if (PickerSelectedName(picker) == name) return true;
  return false;
}

}  // namespace

bool WaitForPickerSelection(HWND picker, const std::wstring& name) {
  return ShowsSelected(picker, name, 5000);
}

bool SelectInPicker(HWND picker, const std::wstring& folder, const std::wstring& name) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    SendMessageW(picker, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
    if (ShowsSelected(picker, name, 1000)) return true;
    if (HWND tree = PickerTree(picker)) ClickSibling(tree, name);
    if (ShowsSelected(picker, name, 1000)) return true;
  }
  return false;
}

}  // namespace test
