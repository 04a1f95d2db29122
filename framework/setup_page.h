// What every wizard page shares: the product icon, placement, caption and
// title, bold headings, the banner, and the buttons. A page declares its
// traits, its command table, its option key, what it shows and what Next
// stores; this base does the rest.
#pragma once

#include <string>

#include "framework/banner_static.h"
#include "framework/ini_file.h"
#include "framework/registry.h"
#include "framework/setup_context.h"
#include "kit/dialog.h"
#include "kit/scoped_handle.h"

// Which chooser names the page's icon and banner.
enum class PageProduct { kDriverProduct, kActiveProduct };
enum class PageCaption {
  kSetupTitle,    // SETUP_TITLE of the driver INI
  kContentTitle,  // SETUP_TITLE of its CONTENTSERVER section
  kProductName,   // the active product's name and the caption suffix
  kOwn,           // set by the page itself in Show()
};
enum class PageHeadings { kNone, kFirst, kBoth };
enum class PageBanner { kNone, kDriverProduct, kActiveProduct };
// When a page itself sets the cancel marker back to 0, beside Cancel's 1.
enum class CancelMarker { kKeep, kClearOnNext, kClearOnOpen };

// How a page differs from the others in what the base does for it.
struct PageTraits {
  UINT templateId;
  PageProduct icon;
  PageCaption caption;
  PageHeadings headings;
  PageBanner banner;
  CancelMarker marker;
  PageOptions options;
};

extern const wchar_t kOptionHelpTopic[];

class CSetupPage : public kit::CDialog {
 public:
  KIT_RUNTIME_CLASS(CSetupPage, kit::CDialog);

  // Loads the icon from the current resource module, which is still this
  // library when a page is constructed.
  explicit CSetupPage(const PageTraits& traits);

  const std::wstring& Title() const { return title_; }
  HICON Icon() const { return icon_; }
  HFONT HeadingFont() const { return headingFont_.get(); }
  const CBannerStatic& Banner() const { return banner_; }

 protected:
  // The page's own initialisation, after the shared one. `stored` is the
  // option key opened for reading; it is left closed when absent, or when
  // the last visit on it ended in a confirmed Cancel: then the page shows
  // its defaults.
  virtual void Show(const PageVisit& visit, const CRegistryKey& stored) = 0;
  // What Next stores, written through `options`, the changes of the option
  // key; false keeps the page open. A write that fails keeps it open too,
  // after a message naming the cause.
  virtual bool Commit(const PageVisit& visit, CRegistryChanges& options) = 0;

  BOOL OnInitDialog() final;
  void DoDataExchange() override;
  bool OnCommand(UINT id, UINT code) override;
  virtual void PlaceWindow();

  void SetTitle(const std::wstring& title, const std::wstring& caption);
  const CIniFile& Ini() const { return ini_; }
  bool IsChecked(int id) const { return IsDlgButtonChecked(Hwnd(), id) == BST_CHECKED; }
  void SetChecked(int id, bool checked) const {
    CheckDlgButton(Hwnd(), id, checked ? BST_CHECKED : BST_UNCHECKED);
  }
  void SetHeadingFont(bool both);
  // The question of every way to cancel, owned by the page.
  int ConfirmCancel(const std::wstring& caption) const;
  void ShowHelp();
  void LaunchHelp(const std::wstring& topic) const;

 private:
  static const kit::CommandEntry<CSetupPage> kSharedCommands[];

  // For a handler after the initialisation: "active" read afresh.
  PageVisit VisitNow() const;
  void ShowCaption(const PageVisit& visit);
  void ShowBanner(const PageVisit& visit);
  void OnNext();
  void ShowStoreFailure(LONG error) const;
  void OnBack();
  void OnCancelPage();

  CIniFile ini_;
  const PageTraits traits_;
  std::wstring title_;
  CBannerStatic banner_;
  // Read once for the icon, and the reading the initialisation goes by.
  const std::wstring openingActive_;
  HICON icon_;  // shared icon from LoadIcon: never destroyed
  kit::ScopedFont headingFont_;
};
