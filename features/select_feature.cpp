#include "features/select_feature.h"

#include "features/feature_tree_rules.h"
#include "framework/registry.h"
#include "framework/setup_context.h"
#include "framework/text_compare.h"
#include "kit/image_list.h"
#include "kit/ui_helpers.h"
#include "res/kelvra_ids.h"
#include "resdll/kelvrares_ids.h"

namespace {

const wchar_t kEnabledValue[] = L"FEATURE_ENABLED";
const wchar_t kDisabledValue[] = L"FEATURE_DISABLED";
constexpr COLORREF kStateMaskColour = RGB(0, 128, 128);

// The marker goes back to 0 as soon as the page has read it.
const PageTraits kTraits{IDD_SELECT_FEATURE,
                         PageProduct::kActiveProduct,
                         PageCaption::kOwn,
                         PageHeadings::kNone,
                         PageBanner::kNone,
                         CancelMarker::kClearOnOpen,
                         ActiveRow(kelvra::KeyedPage::kSelectFeature)};

// The order the tree's sorted insert leaves sibling titles in: lstrcmpA's,
// which sets a lower-case letter before its capital.
int SortedTitleOrder(const std::wstring& a, const std::wstring& b) {
  return lstrcmpW(a.c_str(), b.c_str());
}

}  // namespace

const kit::CommandEntry<CSelectFeature> CSelectFeature::kCommands[] = {
    {IDC_RESET_FEATURES, BN_CLICKED, &CSelectFeature::ResetToDefaults},
};

const kit::NotifyEntry<CSelectFeature> CSelectFeature::kNotifies[] = {
    {IDC_FEATURE_TREE, TVN_SELCHANGEDW, &CSelectFeature::ShowFeatureDescription},
    {IDC_FEATURE_TREE, TVN_ITEMCHANGEDW, &CSelectFeature::ShowFeatureDescription},
};

CSelectFeature::CSelectFeature() : CSetupPage(kTraits) {}

bool CSelectFeature::OnCommand(UINT id, UINT code) {
  return kit::RunCommand(kCommands, *this, id, code) || CSetupPage::OnCommand(id, code);
}

bool CSelectFeature::OnNotify(NMHDR* header, LRESULT* result) {
  return kit::RunNotify(kNotifies, *this, header, result) || CSetupPage::OnNotify(header, result);
}

void CSelectFeature::DoDataExchange() {
  CSetupPage::DoDataExchange();
  BindControl(IDC_FEATURE_TREE, tree_);
}

void CSelectFeature::Show(const PageVisit&, const CRegistryKey& stored) {
  kit::NameAfterLabel(GetDlgItem(IDC_FEATURE_TREE));
  ShowWindow(GetDlgItem(IDC_LUMO_PICTURE), SW_HIDE);
  ShowWindow(GetDlgItem(IDC_LOOKGLASS_PICTURE), SW_HIDE);
  const std::wstring options = Ini().OptionsIniPath();
  featureSelection_ =
      kelvra::ToUpper(Ini().ReadString(L"TREL_OPTIONS", L"FEATURE_SELECTION", options));
  productName_ = Ini().ReadString(featureSelection_, L"PRODUCT_NAME", options);
  SetTitle(productName_, productName_);
  ShowProductPicture();

  CreateStateImages();
  LoadFeatureRecords();
  BuildFeatureTree();
  const HTREEITEM first = tree_.GetRootItem();
  tree_.SelectItem(first);
  tree_.Expand(first, TVE_EXPAND);

  ApplyStoredLists(stored);
  ShowSelectedFeature();  // the stored lists may have changed its state
}

void CSelectFeature::ShowProductPicture() {
  const bool lumo = kelvra::EqualsNoCase(featureSelection_, L"lumo");
  HWND picture = GetDlgItem(lumo ? IDC_LUMO_PICTURE : IDC_LOOKGLASS_PICTURE);
  BITMAP shape{};
  const auto bitmap =
      reinterpret_cast<HGDIOBJ>(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
  if (bitmap && GetObjectW(bitmap, sizeof shape, &shape))
    KeepShape(picture, shape.bmWidth, shape.bmHeight);
  ShowWindow(picture, SW_SHOW);
}

void CSelectFeature::CreateStateImages() {
  // In list order: the index of each is its install state, then the greys.
  // Masked, so that the blank standing in for a missing image shows nothing.
  static kit::CKeptImageList images(
      34, 18, ILC_COLOR32 | ILC_MASK,
      {IDB_STATE_DISABLED, IDB_STATE_ADVERTISED, IDB_STATE_SOURCE, IDB_STATE_LOCAL,
       IDB_STATE_ADVERTISED_GREY, IDB_STATE_SOURCE_GREY, IDB_STATE_LOCAL_GREY},
      kStateMaskColour);
  tree_.SetImageList(images.Get(), TVSIL_NORMAL);
}

void CSelectFeature::LoadFeatureRecords() {
  const CIniSectionReader section(Ini(), featureSelection_, Ini().OptionsIniPath());
  records_ = features::LoadFeatureRecords(
      [&](int number) { return section.ReadString(L"FEATURE" + std::to_wstring(number)); });
}

void CSelectFeature::BuildFeatureTree() {
  const kit::ScopedNoRedraw quiet(tree_);
  std::vector<HTREEITEM> inserted;
  // Siblings by title, whatever the file order. Sorted here and appended,
  // because the tree's own sorted insert walks the siblings every time.
  const std::vector<features::PlannedItem> plan =
      features::InSortedOrder(features::PlanFeatureTree(records_), records_, SortedTitleOrder);
  for (const features::PlannedItem& planned : plan) {
    FeatureRecord& record = records_[planned.record];
    TVINSERTSTRUCTW insert{};
    insert.hParent = planned.parent < 0 ? TVI_ROOT : inserted[planned.parent];
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(record.title.c_str());
    insert.item.iImage = insert.item.iSelectedImage = features::InitialImage(record);
    insert.item.lParam = reinterpret_cast<LPARAM>(&record);
    inserted.push_back(tree_.InsertItem(insert));
  }
}

void CSelectFeature::ApplyStoredLists(const CRegistryKey& stored) {
  if (!stored.IsOpen()) return;
  const struct {
    const wchar_t* value;
    std::wstring* list;
    bool enable;
  } lists[] = {{kEnabledValue, &enabledList_, true}, {kDisabledValue, &disabledList_, false}};
  for (const auto& list : lists) {
    *list.list = stored.QueryString(list.value);
    if (features::IsEmptyListMarker(*list.list)) continue;
    features::ApplyStoredList(tree_, tree_.FirstTopLevel(), *list.list, list.enable);
  }
}

LRESULT CSelectFeature::ShowFeatureDescription(NMHDR*) {
  ShowSelectedFeature();
  return 0;
}

void CSelectFeature::ShowSelectedFeature() {
  const FeatureRecord* record =
      tree_.Record(reinterpret_cast<features::FeatureItem>(tree_.GetSelectedItem()));
  if (!record) {
    SetDlgItemText(IDC_FEATURE_DESCRIPTION, std::wstring());
    return;
  }
  // The state in words as well, for those who cannot see its picture.
  std::wstring text = record->description;
  const std::wstring state = kit::ResourceString(IDS_STATE_NAME_BASE + record->state);
  if (!text.empty() && !state.empty()) text += L"\r\n\r\n";
  SetDlgItemText(IDC_FEATURE_DESCRIPTION, text + state);
}

void CSelectFeature::ResetToDefaults() {
  features::ResetToDefaults(tree_);
  ShowSelectedFeature();
}

bool CSelectFeature::Commit(const PageVisit&, CRegistryChanges& options) {
  const features::ChangedFeatures changed = features::CollectChangedFeatures(tree_);
  enabledList_ = features::StoredListText(changed.enabled);
  disabledList_ = features::StoredListText(changed.disabled);
  options.SetString(kEnabledValue, enabledList_);
  options.SetString(kDisabledValue, disabledList_);
  return true;
}
