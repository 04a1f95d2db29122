// CTreeCtrl: a non-owning view of a tree-view control. Image lists set on it
// stay owned by the caller.
#pragma once

#include <cstring>
#include <windows.h>
#include <commctrl.h>

#include "kit/window.h"

namespace kit {

class CTreeCtrl : public CWnd {
 public:
  KIT_RUNTIME_CLASS(CTreeCtrl, CWnd);

  HTREEITEM InsertItem(const TVINSERTSTRUCTW& insert) const {
    return reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  }
  // `code` is TVGN_ROOT, TVGN_CHILD, TVGN_NEXT, TVGN_PARENT, TVGN_CARET...; null when none.
  HTREEITEM GetNextItem(HTREEITEM item, UINT code) const {
    return reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
  }
  HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
  HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }

  // 0 when the item cannot be read.
  LPARAM GetItemData(HTREEITEM item) const {
    TVITEMW data{};
    data.mask = TVIF_PARAM | TVIF_HANDLE;
    data.hItem = item;
    return Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data)) ? data.lParam : 0;
  }
  bool SetItemImage(HTREEITEM item, int image, int selectedImage) const {
    TVITEMW data{};
    data.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    data.hItem = item;
    data.iImage = image;
    data.iSelectedImage = selectedImage;
    return Send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&data)) != 0;
  }
  // `which` is TVSIL_NORMAL or TVSIL_STATE; returns the previous list.
  HIMAGELIST SetImageList(HIMAGELIST list, int which) const {
    return reinterpret_cast<HIMAGELIST>(
        Send(TVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(list)));
  }
  HIMAGELIST GetImageList(int which) const {
    return reinterpret_cast<HIMAGELIST>(Send(TVM_GETIMAGELIST, which));
  }
  bool SelectItem(HTREEITEM item) const {
    return Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0;
  }
  bool Expand(HTREEITEM item, UINT code) const {
    return Send(TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)) != 0;
  }
  // The item under a client point, or null; `flags` gets the TVHT_ flags.
  HTREEITEM HitTest(POINT point, UINT* flags) const {
    TVHITTESTINFO info{};
    info.pt = point;
    const auto item =
        reinterpret_cast<HTREEITEM>(Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    if (flags) *flags = info.flags;
    return item;
  }
  // The item's rectangle in client coordinates; only its text when `textOnly`.
  bool GetItemRect(HTREEITEM item, RECT* rect, bool textOnly) const {
    std::memcpy(rect, &item, sizeof item);  // the message takes the item in the rectangle
    return Send(TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(rect)) != 0;
  }
};

}  // namespace kit
