// What the folder pages share: the destination edit, the family install
// folder and product folder name they build on, and the Disk Cost and
// Browse buttons.
#pragma once

#include <string>

#include "framework/setup_page.h"
#include "resdll/kelvrares_ids.h"

class CDestinationPage : public CSetupPage {
 public:
  KIT_RUNTIME_CLASS(CDestinationPage, CSetupPage);

  explicit CDestinationPage(const PageTraits& traits) : CSetupPage(traits) {}

  const std::wstring& InstallDir() const { return installDir_; }
  const std::wstring& ProductFolder() const { return productFolder_; }

 protected:
  bool OnCommand(UINT id, UINT code) override;
  // The driver INI section the Disk Cost sizes come from: the active
  // product's unless the page says otherwise.
  virtual std::wstring DiskCostSection() const;
  // Browse: what the page opens the picker on, and what it does with a pick.
  virtual void OnBrowse() = 0;

  std::wstring Destination() const { return GetDlgItemText(IDC_DESTINATION); }
  void ShowDestination(const std::wstring& folder) const {
    SetDlgItemText(IDC_DESTINATION, folder);
  }
  // The folder picker, opened on `*folder`; true with `*folder` replaced
  // when the user picked one.
  bool PickFolder(std::wstring* folder) const;
  // TARGETDIR of the install folder of the whole family.
  static std::wstring ReadInstallProductFolder();
  // TARGETDIR as an earlier Next stored it, else the family's.
  static std::wstring StoredOrInstallProductFolder(const CRegistryKey& stored);

  void SetInstallDir(const std::wstring& folder) { installDir_ = folder; }
  // The product's folder name from string `id`; a missing string keeps the
  // one loaded before.
  void LoadProductFolder(UINT id);

 private:
  static const kit::CommandEntry<CDestinationPage> kCommands[];

  void OnDiskCost();

  std::wstring installDir_;
  std::wstring productFolder_;
};

// The description of the Cofra and Ulvo pages: every "%s" of its string
// replaced by the name of the visit's active product as plain text, so that
// a "%" in the name is shown as it is.
std::wstring ProductDescription(const PageVisit& visit);

// The Ferrix and Cofra destination pages: they keep the parent folder under
// their option key, show it joined with the product's folder name, and on
// Next store the edit's text up to its last backslash.
class CParentFolderPage : public CDestinationPage {
 public:
  KIT_RUNTIME_CLASS(CParentFolderPage, CDestinationPage);

  explicit CParentFolderPage(const PageTraits& traits) : CDestinationPage(traits) {}

 protected:
  // The stored parent (when it counts), else the family install folder,
  // joined with the product's folder name into the edit.
  void ShowParentFolder(const CRegistryKey& stored);
  bool Commit(const PageVisit& visit, CRegistryChanges& options) override;

 private:
  void OnBrowse() override;
};
