// CListCtrl: a non-owning view of a list-view control. Image lists set on
// it stay owned by the caller; the control needs LVS_SHAREIMAGELISTS so
// that it does not destroy them as well.
#pragma once

#include <string>
#include <windows.h>
#include <commctrl.h>

#include "kit/window.h"

namespace kit {

class CListCtrl : public CWnd {
 public:
  KIT_RUNTIME_CLASS(CListCtrl, CWnd);

  // The new column's index, -1 on failure. `format` is LVCFMT_LEFT, _RIGHT...
  int InsertColumn(int index, const std::wstring& heading, int format, int width) const;
  // The new item's index, -1 on failure.
  int InsertItem(const LVITEMW& item) const;
  bool SetItemText(int item, int subItem, const std::wstring& text) const;
  std::wstring GetItemText(int item, int subItem) const;

  int GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
  // The number of columns, as the header counts them.
  int GetHeaderItemCount() const;

  // The previous extended style.
  DWORD SetExtendedStyle(DWORD style) const {
    return static_cast<DWORD>(Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style));
  }
  DWORD GetExtendedStyle() const { return static_cast<DWORD>(Send(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
  // Sets the bits of `style` and leaves the other extended styles as they
  // are; returns the previous extended style.
  DWORD AddExtendedStyle(DWORD style) const {
    return static_cast<DWORD>(Send(LVM_SETEXTENDEDLISTVIEWSTYLE, style, style));
  }

  // With LVS_EX_CHECKBOXES: 1 ticked, 0 not, -1 for a row without a check
  // box or no row at all (the state image index minus 1).
  int GetCheckState(int item) const {
    return static_cast<int>((Send(LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK) >> 12) & 0xF) - 1;
  }
  bool SetCheckState(int item, bool checked) const;
  // The item data given at insertion; 0 for no row.
  LPARAM GetItemData(int item) const;
  // `which` is LVSIL_NORMAL, LVSIL_SMALL or LVSIL_STATE; returns the previous list.
  HIMAGELIST SetImageList(HIMAGELIST list, int which) const {
    return reinterpret_cast<HIMAGELIST>(
        Send(LVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(list)));
  }
  HIMAGELIST GetImageList(int which) const {
    return reinterpret_cast<HIMAGELIST>(Send(LVM_GETIMAGELIST, which));
  }
};

}  // namespace kit
