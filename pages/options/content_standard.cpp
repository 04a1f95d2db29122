#include "pages/options/content_standard.h"

#include "framework/registry.h"
#include "framework/setup_context.h"
#include "kit/image_list.h"
#include "kit/ui_helpers.h"
#include "resdll/kelvrares_ids.h"

namespace {

const wchar_t kRowsSection[] = L"CONTENTSERVER";
const wchar_t kRowKeyPrefix[] = L"STANDARD";

constexpr DWORD kListStyles =
    LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP;
constexpr int kColumnWidth = 430;
constexpr int kImageSize = 16;
constexpr COLORREF kImageMask = RGB(0, 128, 128);

const PageTraits kTraits{IDD_CONTENT_STANDARD,
                         PageProduct::kDriverProduct,
                         PageCaption::kContentTitle,
                         PageHeadings::kBoth,
                         PageBanner::kDriverProduct,
                         CancelMarker::kClearOnNext,
                         FixedKey(setup_keys::kContentServer)};

}  // namespace

const kit::NotifyEntry<CStandardContentOption> CStandardContentOption::kNotifies[] = {
    {IDC_CONTENT_LIST, NM_CLICK, &CStandardContentOption::OnRowClick},
};

CStandardContentOption::CStandardContentOption() : CSetupPage(kTraits) {}

bool CStandardContentOption::OnNotify(NMHDR* header, LRESULT* result) {
  return kit::RunNotify(kNotifies, *this, header, result) || CSetupPage::OnNotify(header, result);
}

void CStandardContentOption::DoDataExchange() {
  CSetupPage::DoDataExchange();
  ViewControl(IDC_CONTENT_LIST, list_);
}

bool CStandardContentOption::OnDialogMessage(UINT message, WPARAM, LPARAM, LRESULT*) {
  // Before the list goes: take back the check box images it would leave behind.
  if (message == WM_DESTROY && list_.IsBound())
    checkBoxImages_.reset(list_.SetImageList(nullptr, LVSIL_STATE));
  return false;
}

void CStandardContentOption::Show(const PageVisit&, const CRegistryKey& stored) {
  kit::NameAfterLabel(GetDlgItem(IDC_CONTENT_LIST));
  const kit::ScopedNoRedraw quiet(list_);
  PrepareList();
  AddRows(stored);
}

void CStandardContentOption::PrepareList() {
  list_.AddExtendedStyle(kListStyles);
  list_.InsertColumn(0, kit::ResourceString(IDS_CONTENT_COLUMN), LVCFMT_LEFT, kColumnWidth);
  // With a mask, so that the teal around each icon shows the list behind it;
  // without one the image list paints it black.
  static kit::CKeptImageList images(kImageSize, kImageSize, ILC_COLOR16 | ILC_MASK,
                                    {IDB_CONTENT_ROWS}, kImageMask);
  // The kept list serves every visit: the control must not destroy it,
  // whatever the template (a translation, say) says.
  list_.ModifyStyle(0, LVS_SHAREIMAGELISTS);
  list_.SetImageList(images.Get(), LVSIL_SMALL);
}

void CStandardContentOption::AddRows(const CRegistryKey& stored) {
  const CIniSectionReader section(Ini(), kRowsSection, Ini().OptionsIniPath());
  for (int n = 1;; ++n) {
    const std::wstring text = section.ReadString(kRowKeyPrefix + std::to_wstring(n));
    if (text.empty()) break;
    rows_.push_back(std::make_unique<kelvra::ContentRowRecord>(kelvra::SplitContentRow(text)));
    kelvra::ContentRowRecord& row = *rows_.back();
    if (stored.IsOpen()) row.ticked = stored.QueryDword(row.valueName) != 0;

    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = n - 1;
    item.pszText = const_cast<wchar_t*>(row.label.c_str());
    item.iImage = row.imageIndex;
    item.lParam = reinterpret_cast<LPARAM>(&row);
    const int index = list_.InsertItem(item);
    if (index >= 0) list_.SetCheckState(index, row.ticked);
  }
}

LRESULT CStandardContentOption::OnRowClick(NMHDR* header) {
  // A click below the rows names no row, and there is no record to read.
  const int index = reinterpret_cast<NMITEMACTIVATE*>(header)->iItem;
  if (index < 0) return 0;
  if (const auto* row = reinterpret_cast<const kelvra::ContentRowRecord*>(list_.GetItemData(index)))
    SetDlgItemText(IDC_CONTENT_DESCRIPTION, row->description);
  return 0;
}

bool CStandardContentOption::Commit(const PageVisit&, CRegistryChanges& options) {
  std::vector<int> checkStates;
  for (int i = 0; i < list_.GetItemCount(); ++i) checkStates.push_back(list_.GetCheckState(i));
  // By position: the rows' own value names only chose their initial ticks.
  for (std::size_t i = 0; i < kelvra::kContentValueCount; ++i)
    options.SetDword(kelvra::kContentValueNames[i], kelvra::ContentValueAt(checkStates, i));
  return true;
}
