// What the folder pages share: the destination edit, the family install
// folder and product folder name they build on, Disk Cost and the picker.
#pragma once

#include <string>

#include "framework/setup_page.h"
#include "resdll/kelvrares_ids.h"

class CDestinationPage : public CSetupPage {
 public:
  KIT_RUNTIME_CLASS(CDestinationPage, CSetupPage);

  explicit CDestinationPage(const PageTraits& traits) : CSetupPage(traits) {}

  const std::string& InstallDir() const { return m_installDir; }
  const std::string& ProductFolder() const { return m_productFolder; }

 protected:
  // The driver INI section the Disk Cost sizes come from.
  virtual std::string DiskCostSection() const = 0;
  void OnDiskCost();

  std::string Destination() const { return GetDlgItemText(IDC_DESTINATION); }
  void ShowDestination(const std::string& folder) const { SetDlgItemText(IDC_DESTINATION, folder); }
  // The folder picker, opened on `*folder`; true with `*folder` replaced
  // when the user picked one.
  bool PickFolder(std::string* folder) const;
  // TARGETDIR of the install folder of the whole family.
  static std::string ReadInstallProductFolder();

  std::string m_installDir;
  std::string m_productFolder;
};

// The description of the Cofra and Ulvo pages: every "%s" of its string
// replaced by the active product's name as plain text, so that a "%" in the
// name is shown as it is.
std::string ProductDescription();

// The Ferrix and Cofra destination pages: they keep the parent folder under
// their option key, show it joined with the product's folder name, and on
// Next store the edit's text up to its last backslash.
class CParentFolderPage : public CDestinationPage {
 public:
  KIT_RUNTIME_CLASS(CParentFolderPage, CDestinationPage);

  explicit CParentFolderPage(const PageTraits& traits);

 protected:
  // The stored parent (unless the last visit was cancelled), else the
  // family install folder, joined with m_productFolder into the edit.
  void ShowParentFolder(const std::string& optionKey);
  bool Commit() override;

 private:
  static const kit::CommandEntry<CParentFolderPage> kCommands[];

  void OnBrowse();
};
