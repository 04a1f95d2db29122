#include "framework/setup_page.h"

#include <shlwapi.h>

#include "framework/help_command.h"
#include "framework/placement.h"
#include "framework/product_tables.h"
#include "framework/text_compare.h"
#include "kit/app.h"
#include "kit/text_format.h"
#include "kit/ui_helpers.h"
#include "include/kelvra.h"
#include "resdll/kelvrares_ids.h"

namespace {

const wchar_t kContentSection[] = L"CONTENTSERVER";
const wchar_t kSetupTitleKey[] = L"SETUP_TITLE";

unsigned IconIdOf(PageProduct product, const std::wstring& active) {
  return product == PageProduct::kActiveProduct ? kelvra::PageIconIdForActiveProduct(active)
                                                : GetPageIconId();
}

// The option key opened for reading while its stored values count: closed
// when it is absent, or when the last visit on it ended in a confirmed Cancel.
CRegistryKey OpenStoredValues(const std::wstring& optionKey) {
  CRegistryKey key;
  if (key.Open(HKEY_CURRENT_USER, optionKey) == ERROR_SUCCESS && ReadCanceled(key) == 1)
    key.Close();
  return key;
}

}  // namespace

const wchar_t kOptionHelpTopic[] = L"/Helpsystem/Installation/Html/dialog_option.htm";

// After the page's own table: a page may take over any of these.
const kit::CommandEntry<CSetupPage> CSetupPage::kSharedCommands[] = {
    {IDC_NEXT, BN_CLICKED, &CSetupPage::OnNext},
    {IDC_BACK, BN_CLICKED, &CSetupPage::OnBack},
    {IDCANCEL, BN_CLICKED, &CSetupPage::OnCancelPage},
    {IDC_HELP_BUTTON, BN_CLICKED, &CSetupPage::ShowHelp},
};

CSetupPage::CSetupPage(const PageTraits& traits)
    : CDialog(traits.templateId, nullptr),
      traits_(traits),
      openingActive_(ReadActiveValue()),
      icon_(LoadIconW(kit::ResourceHandle(),
                      MAKEINTRESOURCEW(IconIdOf(traits.icon, openingActive_)))) {}

BOOL CSetupPage::OnInitDialog() {
  const PageVisit visit = VisitOf(traits_.options, openingActive_);
  CDialog::OnInitDialog();
  kit::SetWindowIcons(Hwnd(), icon_);
  PlaceWindow();
  ShowCaption(visit);
  if (traits_.headings != PageHeadings::kNone)
    SetHeadingFont(traits_.headings == PageHeadings::kBoth);
  ShowBanner(visit);
  Show(visit, OpenStoredValues(visit.optionKey));
  // After the read, so this visit's defaults are decided before it is reset.
  if (traits_.marker == CancelMarker::kClearOnOpen) MarkCanceled(visit.optionKey, 0);
  // A banner without text of its own is named after the page's caption,
  // which a page may have set in Show().
  if (traits_.banner != PageBanner::kNone && banner_.GetText().empty()) banner_.SetName(GetText());
  return TRUE;
}

PageVisit CSetupPage::VisitNow() const {
  return VisitOf(traits_.options, ReadActiveValue());
}

void CSetupPage::DoDataExchange() {
  BindControl(IDC_BANNER, banner_);
}

bool CSetupPage::OnCommand(UINT id, UINT code) {
  // Anything else, IDOK among it, is not a page's: Next is its own button.
  return kit::RunCommand(kSharedCommands, *this, id, code);
}

void CSetupPage::ShowCaption(const PageVisit& visit) {
  switch (traits_.caption) {
    case PageCaption::kSetupTitle:
      title_ = ini_.ReadSetupTitle(ini_.DriverIniPath());
      SetText(title_);
      break;
    case PageCaption::kContentTitle:
      title_ = ini_.ReadString(kContentSection, kSetupTitleKey, ini_.DriverIniPath());
      SetText(title_);
      break;
    case PageCaption::kProductName:
      title_ = GetProductName(kelvra::ToUpper(visit.active));
      SetText(title_ + L" " + kit::ResourceString(IDS_CAPTION_SUFFIX));
      break;
    case PageCaption::kOwn:
      break;
  }
}

void CSetupPage::ShowBanner(const PageVisit& visit) {
  switch (traits_.banner) {
    case PageBanner::kDriverProduct:
      banner_.SetBitmap(static_cast<int>(GetBannerBitmapId()));
      break;
    case PageBanner::kActiveProduct:
      banner_.SetBitmap(static_cast<int>(kelvra::BannerIdForActiveProduct(visit.active)));
      break;
    case PageBanner::kNone:
      return;
  }
  banner_.KeepBitmapShape();
}

void CSetupPage::PlaceWindow() {
  RECT window;
  GetWindowRect(Hwnd(), &window);
  // A library has no main window of its own, so this is the primary
  // monitor's work area. Asked for alone: finding the monitor first costs
  // Wine another look at its display settings.
  RECT work;
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) return;
  const kelvra::ScreenPoint origin =
      kelvra::PageOrigin({work.left, work.top, work.right, work.bottom}, window.right - window.left,
                         window.bottom - window.top);
  // Only moved: the dialog comes to the top when it is shown, and raising
  // the hidden window now would cost a restack for nothing.
  SetWindowPos(Hwnd(), nullptr, origin.x, origin.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSetupPage::SetTitle(const std::wstring& title, const std::wstring& caption) {
  title_ = title;
  SetText(caption);
}

void CSetupPage::SetHeadingFont(bool both) {
  auto* dialogFont = reinterpret_cast<HFONT>(Send(WM_GETFONT));
  LOGFONTW font{};
  if (!dialogFont || !GetObjectW(dialogFont, sizeof font, &font)) return;
  font.lfWeight = FW_BOLD;
  headingFont_.reset(CreateFontIndirectW(&font));
  const auto wParam = reinterpret_cast<WPARAM>(headingFont_.get());
  SendDlgItemMessageW(Hwnd(), IDC_HEADING, WM_SETFONT, wParam, TRUE);
  if (both) SendDlgItemMessageW(Hwnd(), IDC_SECOND_HEADING, WM_SETFONT, wParam, TRUE);
}

int CSetupPage::ConfirmCancel(const std::wstring& caption) const {
  // Owned by the page, so the page takes no input while it asks.
  return MessageBoxW(Hwnd(), kit::ResourceString(IDS_CANCEL_QUESTION).c_str(), caption.c_str(),
                     MB_YESNO | MB_ICONQUESTION);
}

void CSetupPage::OnNext() {
  // Every write of Next counts: a choice the registry refused is no Next,
  // and the marker stays as it was unless the values are stored.
  const PageVisit visit = VisitNow();
  CRegistryChanges options(HKEY_CURRENT_USER, visit.optionKey);
  if (!Commit(visit, options)) return;
  if (options.FirstError() == ERROR_SUCCESS && traits_.marker == CancelMarker::kClearOnNext)
    options.SetDword(kCanceledValue, 0);
  if (options.FirstError() != ERROR_SUCCESS) {
    // A Back from here must find the values as they were before this Next.
    options.PutBack();
    return ShowStoreFailure(options.FirstError());
  }
  EndDialog(KELVRA_NEXT);
}

void CSetupPage::ShowStoreFailure(LONG error) const {
  // Without its string, a library still lets the reason through.
  std::wstring format = L"%s";
  kit::LoadResourceString(IDS_STORE_FAILED, &format);
  const std::wstring reason = kit::SystemMessage(static_cast<DWORD>(error));
  kit::ShowMessage(Hwnd(), kit::FormatStrings(format, {reason}), title_, MB_OK | MB_ICONERROR);
}

void CSetupPage::OnBack() {
  EndDialog(KELVRA_BACK);
}

void CSetupPage::OnCancelPage() {
  if (ConfirmCancel(title_) != IDYES) return;
  MarkCanceled(VisitNow().optionKey, 1);
  EndDialog(KELVRA_CANCEL);
}

void CSetupPage::ShowHelp() {
  LaunchHelp(kOptionHelpTopic);
}

void CSetupPage::LaunchHelp(const std::wstring& topic) const {
  wchar_t temp[MAX_PATH];
  wchar_t windows[MAX_PATH];
  // A folder that does not fit comes back as the size it needs, with the
  // buffer left unwritten: that is a failure like 0.
  const DWORD tempLength = GetTempPathW(MAX_PATH, temp);
  if (tempLength == 0 || tempLength >= MAX_PATH) return;
  const UINT windowsLength = GetWindowsDirectoryW(windows, MAX_PATH);
  if (windowsLength == 0 || windowsLength >= MAX_PATH) return;
  PathRemoveBackslashW(temp);
  const std::wstring chm = kelvra::HelpFilePath(temp);
  kit::ScopedFile file(CreateFileW(chm.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  file.reset();
  // WinExec takes narrow text, which cannot name a temporary folder outside
  // the code page.
  std::wstring commandLine = kelvra::HelpCommandLine(windows, chm, topic);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOW;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started))
    return;
  kit::ScopedKernelHandle process(started.hProcess);
  kit::ScopedKernelHandle thread(started.hThread);
}
