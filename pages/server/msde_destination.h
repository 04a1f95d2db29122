// The MSDE destination page: where the database engine of the Nerva or
// Cofra server goes, its program folder and its data folder. The data
// folder follows the program folder while its box is ticked. The program
// folder is the destination edit, the one Disk Cost measures.
#pragma once

#include <string>

#include "pages/destination/destination_page.h"

class CMsdeDestination : public CDestinationPage {
 public:
  KIT_RUNTIME_CLASS(CMsdeDestination, CDestinationPage);

  CMsdeDestination();

 private:
  static const kit::CommandEntry<CMsdeDestination> kCommands[];

  bool OnCommand(UINT id, UINT code) override;

  void Show(const PageVisit& visit, const CRegistryKey& stored) override;
  bool Commit(const PageVisit& visit, CRegistryChanges& options) override;

  void ShowDefaultFolders(const CRegistryKey& stored);
  void EnableDataFolder() const;
  void ShowFolderMessage(UINT textId) const;
  // The picker opened on the text of `edit`; the pick goes back into it.
  void BrowseInto(int edit) const;

  void OnUseDefaultDataDir();
  void OnProgramDirChange();
  void OnBrowse() override;
  void OnBrowseDataDir();

  std::wstring programDir_;
  std::wstring dataDir_;
  bool useDefaultDataDir_ = true;
};
