// The feature selection page: the optional features of Lumo or Lookglass as
// a tree with an install state each. Next stores the features of the first
// top-level item's subtree whose state differs from their default.
#pragma once

#include <string>
#include <vector>

#include "features/feature_record.h"
#include "features/select_feature_tree.h"
#include "framework/setup_page.h"

class CSelectFeature : public CSetupPage {
 public:
  KIT_RUNTIME_CLASS(CSelectFeature, CSetupPage);

  CSelectFeature();

 private:
  static const kit::CommandEntry<CSelectFeature> kCommands[];
  static const kit::NotifyEntry<CSelectFeature> kNotifies[];

  bool OnCommand(UINT id, UINT code) override;
  bool OnNotify(NMHDR* header, LRESULT* result) override;

  void DoDataExchange() override;
  // Under Options\Lookglass when Lookglass is the active product, else Options\Lumo.
  void Show(const PageVisit& visit, const CRegistryKey& stored) override;
  bool Commit(const PageVisit& visit, CRegistryChanges& options) override;

  void ShowProductPicture();
  void CreateStateImages();
  void LoadFeatureRecords();
  void BuildFeatureTree();
  void ApplyStoredLists(const CRegistryKey& stored);
  LRESULT ShowFeatureDescription(NMHDR* header);
  // The selected feature's description and install state.
  void ShowSelectedFeature();
  void ResetToDefaults();

  std::wstring productName_;
  std::wstring featureSelection_;
  std::wstring enabledList_;
  std::wstring disabledList_;
  CSelectFeatureTreeCtrl tree_;
  // Filled once before the tree is built and never moved: items hold addresses.
  std::vector<FeatureRecord> records_;
};
