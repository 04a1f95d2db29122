// The content standard page: one ticked row per content standard of the
// content server, stored as DWORDs under the ContentServer option key.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/setup_page.h"
#include "kit/image_list.h"
#include "kit/list_ctrl.h"
#include "pages/options/content_rows.h"

class CStandardContentOption : public CSetupPage {
 public:
  KIT_RUNTIME_CLASS(CStandardContentOption, CSetupPage);

  CStandardContentOption();

 protected:
  void DoDataExchange() override;
  bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  static const kit::NotifyEntry<CStandardContentOption> kNotifies[];

  bool OnNotify(NMHDR* header, LRESULT* result) override;

  void Show(const PageVisit& visit, const CRegistryKey& stored) override;
  bool Commit(const PageVisit& visit, CRegistryChanges& options) override;

  void PrepareList();
  void AddRows(const CRegistryKey& stored);
  LRESULT OnRowClick(NMHDR* header);

  // The check boxes' images: the list shares its image lists, so this one,
  // which it makes itself, is ours to free.
  kit::ScopedImageList checkBoxImages_;
  kit::CListCtrl list_;
  // Item data of the rows; kept apart so their addresses never move.
  std::vector<std::unique_ptr<kelvra::ContentRowRecord>> rows_;
};
