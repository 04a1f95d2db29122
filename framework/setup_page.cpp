#include "framework/setup_page.h"

#include <shlwapi.h>

#include "framework/help_command.h"
#include "framework/placement.h"
#include "framework/setup_context.h"
#include "kit/app.h"
#include "kit/ui_helpers.h"

namespace {

constexpr UINT kCaptionSuffixString = 8016;
constexpr UINT kCancelQuestionString = 8032;

}  // namespace

const char kOptionHelpTopic[] = "/Helpsystem/Installation/Html/dialog_option.htm";

const kit::RuntimeClass CSetupPage::kRuntimeClass{"CSetupPage", &kit::CDialog::kRuntimeClass};

CSetupPage::CSetupPage(UINT templateId, unsigned iconId)
    : CDialog(templateId, nullptr),
      icon_(LoadIconA(kit::ResourceHandle(), MAKEINTRESOURCEA(iconId))) {}

BOOL CSetupPage::OnInitDialog() {
  CDialog::OnInitDialog();
  Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  PlaceWindow();
  return TRUE;
}

void CSetupPage::DoDataExchange() {
  BindControl(kBannerControl, banner_);
}

void CSetupPage::PlaceWindow() {
  RECT window;
  GetWindowRect(hwnd_, &window);
  const kit::CWinApp* app = kit::CWinApp::Current();
  HMONITOR monitor = MonitorFromWindow(app ? app->MainWindow() : nullptr, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(monitor, &info)) return;
  const kelvra::ScreenPoint origin =
      kelvra::PageOrigin({info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom},
                         window.right - window.left, window.bottom - window.top);
  SetWindowPos(hwnd_, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE);
}

void CSetupPage::SetTitle(const std::string& title, const std::string& caption) {
  title_ = title;
  SetText(caption);
}

void CSetupPage::UseSetupTitle() {
  const std::string title = ini_.ReadSetupTitle(ini_.DriverIniPath());
  SetTitle(title, title);
}

void CSetupPage::UseProductNameTitle() {
  const std::string title = GetProductName(GetActiveProduct());
  SetTitle(title, title + " " + kit::ResourceString(kCaptionSuffixString));
}

void CSetupPage::SetHeadingFont(bool both) {
  auto* dialogFont = reinterpret_cast<HFONT>(Send(WM_GETFONT));
  LOGFONTA font{};
  if (!dialogFont || !GetObjectA(dialogFont, sizeof font, &font)) return;
  font.lfWeight = FW_BOLD;
  headingFont_.reset(CreateFontIndirectA(&font));
  const auto wParam = reinterpret_cast<WPARAM>(headingFont_.get());
  SendDlgItemMessageA(hwnd_, kFirstHeading, WM_SETFONT, wParam, TRUE);
  if (both) SendDlgItemMessageA(hwnd_, kSecondHeading, WM_SETFONT, wParam, TRUE);
}

int CSetupPage::ConfirmCancel(const std::string& caption) const {
  return MessageBoxA(nullptr, kit::ResourceString(kCancelQuestionString).c_str(), caption.c_str(),
                     MB_YESNO | MB_ICONQUESTION);
}

void CSetupPage::CancelPage(const std::string& optionKey) {
  if (ConfirmCancel(title_) != IDYES) return;
  MarkCanceled(optionKey, 1);
  EndDialog(kResultCancel);
}

void CSetupPage::OnCancelFerrix() {
  CancelPage(setup_keys::kFerrix);
}

void CSetupPage::ShowHelp() {
  LaunchHelp(kOptionHelpTopic);
}

void CSetupPage::LaunchHelp(const std::string& topic) const {
  char temp[MAX_PATH];
  char windows[MAX_PATH];
  if (!GetTempPathA(MAX_PATH, temp) || !GetWindowsDirectoryA(windows, MAX_PATH)) return;
  PathRemoveBackslashA(temp);
  const std::string chm = kelvra::HelpFilePath(temp);
  kit::ScopedFile file(CreateFileA(chm.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  file.reset();
  WinExec(kelvra::HelpCommandLine(windows, chm, topic).c_str(), SW_SHOW);
}
