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
  static const kit::CommandEntry<CUlvoDestination> kCommands[];

  std::string OptionKey() const override;
  void Show() override;
  bool Commit() override;
  std::string DiskCostSection() const override;

  void OnBrowse();
  void ShowFolder(const std::string& text);

  // What the page itself last put into the edit: while the edit still holds
  // it, Next stores m_installDir; once the user has typed, the typed folder.
  std::string m_shown;
};
