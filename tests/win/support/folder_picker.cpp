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

}  // namespace

std::string PickerSelectedName(HWND picker) {
  HWND tree = nullptr;
  EnumChildWindows(picker, FindTree, reinterpret_cast<LPARAM>(&tree));
  if (!tree) return std::string();
  char text[MAX_PATH] = "";
  TVITEMA item{};
  item.mask = TVIF_TEXT;
  item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  item.pszText = text;
  item.cchTextMax = sizeof text;
  // The robot shares the page's process, so the buffer can be sent.
  if (item.hItem) SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return text;
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
  }
  return false;
}

}  // namespace test
