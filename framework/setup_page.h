// What every wizard page shares: the product icon, placement, caption and
// title, bold headings, the banner, Back, the cancel confirmation and Help.
#pragma once

#include <string>

#include "framework/banner_static.h"
#include "framework/ini_file.h"
#include "kit/dialog.h"
#include "kit/scoped_handle.h"

// Common control IDs of the page templates.
enum SetupPageControl : UINT {
  kNextButton = 1000,
  kBackButton = 1001,
  kHelpButton = 1007,
  kDiskCostButton = 1008,
  kBrowseButton = 1009,
  kDestinationEdit = 1049,
  kBannerControl = 1130,
  kFirstHeading = 8004,
  kSecondHeading = 8005,
};

// Modal results a page ends with.
enum PageResult : int { kResultNext = IDOK, kResultCancel = IDCANCEL, kResultBack = 1001 };

extern const char kOptionHelpTopic[];

class CSetupPage : public kit::CDialog {
 public:
  static const kit::RuntimeClass kRuntimeClass;
  const kit::RuntimeClass* GetRuntimeClass() const override { return &kRuntimeClass; }

  // Loads the icon from the current resource module, which is still this
  // library when a page is constructed.
  CSetupPage(UINT templateId, unsigned iconId);

  const std::string& Title() const { return title_; }
  HICON Icon() const { return icon_; }
  HFONT HeadingFont() const { return headingFont_.get(); }
  const CBannerStatic& Banner() const { return banner_; }

 protected:
  // The class layer's initialisation, the icons and the placement.
  BOOL OnInitDialog() override;
  void DoDataExchange() override;
  virtual void PlaceWindow();

  // Caption patterns.
  void SetTitle(const std::string& title, const std::string& caption);
  void UseSetupTitle();        // SETUP_TITLE of the driver INI
  void UseProductNameTitle();  // the active product's name and the caption suffix

  void SetHeadingFont(bool both);
  void ShowBanner(unsigned bitmapId) { banner_.SetBitmap(static_cast<int>(bitmapId)); }

  int ConfirmCancel(const std::string& caption) const;
  // Asks; on Yes marks `optionKey` cancelled and ends the page with 2.
  void CancelPage(const std::string& optionKey);
  // The Cancel handler of the pages on the Ferrix option key.
  void OnCancelFerrix();
  void OnBack() { EndDialog(kResultBack); }
  void ShowHelp();
  void LaunchHelp(const std::string& topic) const;

  CIniFile ini_;

 private:
  std::string title_;
  CBannerStatic banner_;
  HICON icon_;  // shared icon from LoadIcon: never destroyed
  kit::ScopedFont headingFont_;
};
