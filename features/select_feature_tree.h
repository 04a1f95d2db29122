// The feature tree: each item shows its feature's install state as an image;
// a click on the image (or Space, Shift+F10 or the context-menu key on the
// selected item) opens a popup of install states, and the choice changes the
// item and, one level up and down, its relatives.
#pragma once

#include <windows.h>

#include "features/bitmap_menu.h"
#include "features/feature_tree_rules.h"
#include "kit/scoped_handle.h"
#include "kit/tree_ctrl.h"

class CSelectFeatureTreeCtrl : public kit::CTreeCtrl, public features::FeatureTree {
 public:
  KIT_RUNTIME_CLASS(CSelectFeatureTreeCtrl, kit::CTreeCtrl);

  // Appends the popup entries for the bits of `mask`, local first.
  void AppendInstallStateItems(HMENU menu, HTREEITEM item, unsigned mask) const;

  // features::FeatureTree over the control's items, whose data are records.
  features::FeatureItem FirstTopLevel() const override;
  features::FeatureItem FirstChild(features::FeatureItem item) const override;
  features::FeatureItem NextSibling(features::FeatureItem item) const override;
  features::FeatureItem Parent(features::FeatureItem item) const override;
  FeatureRecord* Record(features::FeatureItem item) const override;
  void ShowState(features::FeatureItem item, InstallState state) override;

 protected:
  bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  void OnLButtonDown(POINT point);
  // The keyboard's way to the popup: at the selected item's image.
  bool OpenPopupForSelection();
  void TrackInstallStatePopup(HTREEITEM item, POINT screenPoint);
  // The popup's four bitmaps, from the current resource module.
  void LoadPopupBitmaps();

  kit::ScopedBitmap localBitmap_;
  kit::ScopedBitmap sourceBitmap_;
  kit::ScopedBitmap advertiseBitmap_;
  kit::ScopedBitmap disabledBitmap_;
  CBitmapMenu* openMenu_ = nullptr;  // the popup being shown, for its owner-draw messages
};
