#include "kit/list_ctrl.h"

#include <vector>

namespace kit {

int CListCtrl::InsertColumn(int index, const std::string& heading, int format, int width) const {
  LVCOLUMNA column{};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
  column.fmt = format;
  column.cx = width;
  column.pszText = const_cast<char*>(heading.c_str());
  return static_cast<int>(Send(LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column)));
}

int CListCtrl::InsertItem(const LVITEMA& item) const {
  return static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

bool CListCtrl::SetItemText(int item, int subItem, const std::string& text) const {
  LVITEMA cell{};
  cell.iSubItem = subItem;
  cell.pszText = const_cast<char*>(text.c_str());
  return Send(LVM_SETITEMTEXTA, item, reinterpret_cast<LPARAM>(&cell)) != FALSE;
}

std::string CListCtrl::GetItemText(int item, int subItem) const {
  // The control copies at most the buffer's size and returns the length;
  // grow until the text fits with room to spare.
  constexpr std::size_t kLargest = 1 << 20;
  for (std::size_t size = 256;; size *= 4) {
    std::vector<char> buffer(size);
    LVITEMA cell{};
    cell.iSubItem = subItem;
    cell.pszText = buffer.data();
    cell.cchTextMax = static_cast<int>(size);
    const auto length =
        static_cast<std::size_t>(Send(LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&cell)));
    if (length + 1 < size || size >= kLargest) return std::string(buffer.data(), length);
  }
}

bool CListCtrl::SetCheckState(int item, bool checked) const {
  LVITEMA state{};
  state.stateMask = LVIS_STATEIMAGEMASK;
  state.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
  return Send(LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state)) != FALSE;
}

LPARAM CListCtrl::GetItemData(int item) const {
  LVITEMA row{};
  row.mask = LVIF_PARAM;
  row.iItem = item;
  return Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&row)) ? row.lParam : 0;
}

int CListCtrl::GetHeaderItemCount() const {
  HWND header = reinterpret_cast<HWND>(Send(LVM_GETHEADER));
  return header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

}  // namespace kit
