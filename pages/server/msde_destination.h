// The MSDE destination page: where the database engine of the Nerva or
// Cofra server goes, its program folder and its data folder. The data
// folder follows the program folder while its box is ticked.
#pragma once

#include <string>

#include "framework/setup_page.h"

class CMsdeDestination : public CSetupPage {
 public:
  KIT_RUNTIME_CLASS(CMsdeDestination, CSetupPage);

  CMsdeDestination();

 private:
  static const kit::CommandEntry<CMsdeDestination> kCommands[];

  std::string OptionKey() const override;
  void Show() override;
  bool Commit() override;

  void ShowDefaultFolders();
  void EnableDataFolder() const;
  void ShowFolderMessage(UINT textId) const;
  // The picker opened on the text of `edit`; the pick goes back into it.
  void BrowseInto(int edit) const;

  void OnUseDefaultDataDir();
  void OnProgramDirChange();
  void OnBrowse();
  void OnBrowseDataDir();
  void OnDiskCost();

  std::string m_programDir;
  std::string m_dataDir;
  bool m_useDefaultDataDir = true;
};
