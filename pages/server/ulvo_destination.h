// The Ulvo destination page: the folder under which a server product (Nerva
// or Cofra server) is installed, on the option key it shares with the
// database engine's page.
#pragma once

#include <string>

#include "pages/destination/destination_page.h"

class CUlvoDestination : public CDestinationPage {
 public:
  KIT_RUNTIME_CLASS(CUlvoDestination, CDestinationPage);

  CUlvoDestination();

 private:
  void Show(const PageVisit& visit, const CRegistryKey& stored) override;
  bool Commit(const PageVisit& visit, CRegistryChanges& options) override;

  void OnBrowse() override;
  void ShowFolder(const std::wstring& text);

  // What the page itself last put into the edit: while the edit still holds
  // it, Next stores the install folder; once the user has typed, the typed
  // folder.
  std::wstring shown_;
};
