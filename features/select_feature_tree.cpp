#include "features/select_feature_tree.h"

#include <windowsx.h>

#include "kit/app.h"
#include "kit/ui_helpers.h"
#include "res/kelvra_ids.h"
#include "resdll/kelvrares_ids.h"

namespace {

using features::FeatureItem;

HTREEITEM AsItem(FeatureItem item) {
  return reinterpret_cast<HTREEITEM>(item);
}

FeatureItem AsFeatureItem(HTREEITEM item) {
  return reinterpret_cast<FeatureItem>(item);
}

// Space, the context-menu key and Shift+F10 open the popup of the selected item.
bool IsPopupKey(UINT message, WPARAM key) {
  if (key == VK_F10) return GetKeyState(VK_SHIFT) < 0;
  return message == WM_KEYDOWN && (key == VK_SPACE || key == VK_APPS);
}

// The space typed with the key must not reach the popup, whose loop would
// take it for a mnemonic, nor the tree's incremental search.
void DropQueuedSpace(HWND tree) {
  MSG typed;
  if (PeekMessageW(&typed, tree, WM_CHAR, WM_CHAR, PM_NOREMOVE) && typed.wParam == L' ')
    PeekMessageW(&typed, tree, WM_CHAR, WM_CHAR, PM_REMOVE);
}

// The entry's text from the resource library, in its language; the built-in
// one when the library lacks it.
std::wstring ChoiceText(const features::InstallStateEntry& entry) {
  for (int state = StateDisabled; state <= StateLocal; ++state) {
    std::wstring text;
    if (entry.command == 1u << state &&
        kit::LoadResourceString(IDS_STATE_CHOICE_BASE + state, &text))
      return text;
  }
  return entry.text;
}

HBITMAP LoadStateBitmap(UINT id) {
  return LoadBitmapW(kit::ResourceHandle(), MAKEINTRESOURCEW(id));
}

}  // namespace

// When the popup first opens, not with the page: most visits never open it.
void CSelectFeatureTreeCtrl::LoadPopupBitmaps() {
  if (localBitmap_) return;
  disabledBitmap_.reset(LoadStateBitmap(IDB_STATE_DISABLED));
  advertiseBitmap_.reset(LoadStateBitmap(IDB_STATE_ADVERTISED));
  sourceBitmap_.reset(LoadStateBitmap(IDB_STATE_SOURCE));
  localBitmap_.reset(LoadStateBitmap(IDB_STATE_LOCAL));
}

void CSelectFeatureTreeCtrl::AppendInstallStateItems(HMENU menu, HTREEITEM, unsigned mask) const {
  for (const features::InstallStateEntry& entry : features::InstallStateEntries(mask))
    AppendMenuW(menu, MF_STRING, entry.command, ChoiceText(entry).c_str());
}

FeatureItem CSelectFeatureTreeCtrl::FirstTopLevel() const {
  return AsFeatureItem(GetRootItem());
}

FeatureItem CSelectFeatureTreeCtrl::FirstChild(FeatureItem item) const {
  return AsFeatureItem(GetNextItem(AsItem(item), TVGN_CHILD));
}

FeatureItem CSelectFeatureTreeCtrl::NextSibling(FeatureItem item) const {
  return AsFeatureItem(GetNextItem(AsItem(item), TVGN_NEXT));
}

FeatureItem CSelectFeatureTreeCtrl::Parent(FeatureItem item) const {
  return AsFeatureItem(GetNextItem(AsItem(item), TVGN_PARENT));
}

FeatureRecord* CSelectFeatureTreeCtrl::Record(FeatureItem item) const {
  return item ? reinterpret_cast<FeatureRecord*>(GetItemData(AsItem(item))) : nullptr;
}

void CSelectFeatureTreeCtrl::ShowState(FeatureItem item, InstallState state) {
  SetItemImage(AsItem(item), state, state);
}

bool CSelectFeatureTreeCtrl::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                             LRESULT* result) {
  switch (message) {
    case WM_LBUTTONDOWN:
      OnLButtonDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return false;  // the tree's own click follows once the popup is closed
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (!IsPopupKey(message, wParam)) return false;
      if (wParam == VK_SPACE) DropQueuedSpace(Hwnd());
      *result = 0;
      return OpenPopupForSelection();
    case WM_CONTEXTMENU:
      // (-1, -1) is a request from the keyboard that the keys above did not answer.
      if (GET_X_LPARAM(lParam) != -1 || GET_Y_LPARAM(lParam) != -1) return false;
      *result = 0;
      return OpenPopupForSelection();
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (item->CtlType != ODT_MENU || !openMenu_) return false;
      openMenu_->MeasureItem(*item);
      *result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlType != ODT_MENU || !openMenu_) return false;
      openMenu_->DrawItem(*item);
      *result = TRUE;
      return true;
    }
    default:
      return false;
  }
}

void CSelectFeatureTreeCtrl::OnLButtonDown(POINT point) {
  UINT flags = 0;
  const HTREEITEM item = HitTest(point, &flags);
  if (!item || !(flags & TVHT_ONITEMICON)) return;
  ClientToScreen(Hwnd(), &point);
  TrackInstallStatePopup(item, point);
}

bool CSelectFeatureTreeCtrl::OpenPopupForSelection() {
  const HTREEITEM item = GetSelectedItem();
  RECT text;
  if (!item || !GetItemRect(item, &text, true)) return false;
  int imageWidth = 0, imageHeight = 0;
  ImageList_GetIconSize(GetImageList(TVSIL_NORMAL), &imageWidth, &imageHeight);
  // The image sits just left of the text.
  POINT point{text.left - imageWidth / 2 - 1, (text.top + text.bottom) / 2};
  ClientToScreen(Hwnd(), &point);
  TrackInstallStatePopup(item, point);
  return true;
}

void CSelectFeatureTreeCtrl::TrackInstallStatePopup(HTREEITEM item, POINT screenPoint) {
  const kit::ScopedMenu popup(CreatePopupMenu());
  if (!popup) return;
  AppendInstallStateItems(popup.get(), item,
                          features::InstallStateMask(*this, AsFeatureItem(item)));

  CBitmapMenu menu;
  menu.CopyFrom(popup.get());
  LoadPopupBitmaps();
  const struct {
    UINT command;
    HBITMAP bitmap;
  } images[] = {
      {features::kLocalCommand, localBitmap_.get()},
      {features::kDisableCommand, disabledBitmap_.get()},
      {features::kSourceCommand, sourceBitmap_.get()},
      {features::kAdvertiseCommand, advertiseBitmap_.get()},
  };
  // Only the item data changes: the entries stay owner-drawn and keep their text.
  for (const auto& image : images) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(image.bitmap);
    SetMenuItemInfoW(menu.Handle(), image.command, FALSE, &info);
  }

  openMenu_ = &menu;
  const UINT command =
      static_cast<UINT>(TrackPopupMenu(menu.Handle(), TPM_RETURNCMD | TPM_NONOTIFY, screenPoint.x,
                                       screenPoint.y, 0, Hwnd(), nullptr));
  openMenu_ = nullptr;
  features::ApplyInstallStateChoice(*this, AsFeatureItem(item), command);
  if (command == 0) return;
  // The page names the selected feature's state in words; tell it to look again.
  NMTVITEMCHANGE change{};
  change.hdr = {Hwnd(), static_cast<UINT_PTR>(GetDlgCtrlID(Hwnd())),
                static_cast<UINT>(TVN_ITEMCHANGEDW)};
  change.hItem = item;
  SendMessageW(GetParent(Hwnd()), WM_NOTIFY, change.hdr.idFrom, reinterpret_cast<LPARAM>(&change));
}
