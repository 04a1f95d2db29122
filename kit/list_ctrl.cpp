#include "kit/list_ctrl.h"

#include <vector>

namespace kit {

int CListCtrl::InsertColumn(int index, const std::wstring& heading, int format, int width) const {
  LVCOLUMNW column{};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
  column.fmt = format;
  column.cx = width;
  column.pszText = const_cast<wchar_t*>(heading.c_str());
  return static_cast<int>(Send(LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column)));
}

int CListCtrl::InsertItem(const LVITEMW& item) const {
  return static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

bool CListCtrl::SetItemText(int item, int subItem, const std::wstring& text) const {
  LVITEMW cell{};
  cell.iSubItem = subItem;
  cell.pszText = const_cast<wchar_t*>(text.c_str());
  return Send(LVM_SETITEMTEXTW, item, reinterpret_cast<LPARAM>(&cell)) != FALSE;
}

std::wstring CListCtrl::GetItemText(int item, int subItem) const {
  // The control copies at most the buffer's size and returns the length;
  // grow until the text fits with room to spare.
  constexpr std::size_t kLargest = 1 << 20;
  for (std::size_t size = 256;; size *= 4) {
    std::vector<wchar_t> buffer(size);
    LVITEMW cell{};
    cell.iSubItem = subItem;
    cell.pszText = buffer.data();
    cell.cchTextMax = static_cast<int>(size);
    const auto length =
        static_cast<std::size_t>(Send(LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&cell)));
    if (length + 1 < size || size >= kLargest) return std::wstring(buffer.data(), length);
  }
}

bool CListCtrl::SetCheckState(int item, bool checked) const {
  LVITEMW state{};
  state.stateMask = LVIS_STATEIMAGEMASK;
  state.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
  return Send(LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state)) != FALSE;
}

LPARAM CListCtrl::GetItemData(int item) const {
  LVITEMW row{};
  row.mask = LVIF_PARAM;
  row.iItem = item;
  return Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&row)) ? row.lParam : 0;
}

int CListCtrl::GetHeaderItemCount() const {
  HWND header = reinterpret_cast<HWND>(Send(LVM_GETHEADER));
  return header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

}  // namespace kit
