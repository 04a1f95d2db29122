// An owner-drawn popup menu with a bitmap beside each entry, rebuilt from a
// plain menu. Its owner window routes WM_MEASUREITEM and WM_DRAWITEM for the
// entries to MeasureItem and DrawItem. An entry's item data is the bitmap
// (HBITMAP) drawn beside it, or 0.
#pragma once

#include <memory>
#include <string>
#include <vector>
#include <windows.h>

#include "kit/menu.h"

// One entry as CopyFrom made it: its text and command (the sub-menu's handle
// for a popup entry, 2048 for a separator).
struct CBitmapMenuItem {
  std::wstring text;
  UINT command;
};

class CBitmapMenu : public kit::CMenu {
 public:
  KIT_RUNTIME_CLASS(CBitmapMenu, kit::CMenu);

  CBitmapMenu() = default;
  ~CBitmapMenu() override;

  virtual void DrawItem(const DRAWITEMSTRUCT& item);
  virtual void MeasureItem(MEASUREITEMSTRUCT& item);
  // Appends the entries of `source`, every one owner-drawn (a new popup when
  // none is held yet); 1, or 0 when building failed part way.
  virtual BOOL CopyFrom(HMENU source);
  // The index of the first entry with `command` and its text; -1 when none.
  virtual int GetItemText(UINT command, std::wstring* text) const;
  // Checks or unchecks (MF_CHECKED in `flags`) that entry; 0 when none.
  virtual BOOL CheckItem(UINT command, UINT flags);

 private:
  void AppendSeparator(UINT_PTR itemData);
  bool IsSubMenuAt(int position) const;

  std::vector<std::unique_ptr<CBitmapMenu>> subMenus_;
  int measureCount_ = 0;
  std::vector<std::unique_ptr<CBitmapMenuItem>> items_;
};

// Draws all of `bitmap` at (x, y); pixels of `transparent` leave what is
// already there.
void DrawTransparentBitmap(HDC target, HBITMAP bitmap, int x, int y, COLORREF transparent);
