#include "kit/dialog.h"

#include <commctrl.h>
#include <exception>
#include <vector>

#include "kit/app.h"
#include "kit/pending_exception.h"

namespace kit {
namespace {

void EnsureCommonControls() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)done;
}

// Messages whose answer is the dialog procedure's return value itself (a
// brush, an index, an icon) rather than DWLP_MSGRESULT.
bool ReturnsDirectly(UINT message) {
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
      return true;
    default:
      return false;
  }
}

}  // namespace

CDialog::CDialog(UINT templateId, HWND parent) : templateId_(templateId), parent_(parent) {}

INT_PTR CDialog::DoModal() {
  EnsureCommonControls();
  const INT_PTR result = DialogBoxParamW(ResourceHandle(), MAKEINTRESOURCEW(templateId_), parent_,
                                         DialogProc, reinterpret_cast<LPARAM>(this));
  hwnd_ = nullptr;
  RethrowPendingException();
  return result;
}

void CDialog::EndDialog(INT_PTR result) const {
  ::EndDialog(hwnd_, result);
}

std::wstring CDialog::GetDlgItemText(int id) const {
  HWND item = GetDlgItem(id);
  std::vector<wchar_t> buffer(GetWindowTextLengthW(item) + 1);
  const UINT copied = ::GetDlgItemTextW(hwnd_, id, buffer.data(), static_cast<int>(buffer.size()));
  return std::wstring(buffer.data(), copied);
}

void CDialog::SetDlgItemText(int id, const std::wstring& text) const {
  ::SetDlgItemTextW(hwnd_, id, text.c_str());
}

BOOL CDialog::OnInitDialog() {
  DoDataExchange();
  return TRUE;
}

void CDialog::OnOK() {
  EndDialog(IDOK);
}

void CDialog::OnCancel() {
  EndDialog(IDCANCEL);
}

bool CDialog::OnCommand(UINT id, UINT code) {
  if (code != BN_CLICKED) return false;
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

bool CDialog::OnNotify(NMHDR*, LRESULT*) {
  return false;
}

bool CDialog::OnDialogMessage(UINT, WPARAM, LPARAM, LRESULT*) {
  return false;
}

bool CDialog::OnDrawItem(DRAWITEMSTRUCT*) {
  return false;
}

bool CDialog::OnMeasureItem(MEASUREITEMSTRUCT*) {
  return false;
}

void CDialog::BindControl(int id, CWnd& control) {
  if (!control.IsBound()) control.Bind(GetDlgItem(id));
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    reinterpret_cast<CDialog*>(lParam)->hwnd_ = window;
  }
  // Messages before WM_INITDIALOG (WM_SETFONT) have no object yet.
  auto* self = reinterpret_cast<CDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  if (!self) return FALSE;
  try {
    return self->Dispatch(message, wParam, lParam);
  } catch (...) {
    AbandonDialogOnException(window);
    return FALSE;
  }
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_COMMAND:
      // A dialog under its own message box or dialog is disabled; a press
      // that still reaches it (sent or posted) must not act either.
      if (HIWORD(wParam) == BN_CLICKED && !IsWindowEnabled(hwnd_)) return TRUE;
      return OnCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      LRESULT result = 0;
      if (!OnNotify(header, &result)) return FALSE;
      // A notification's answer goes into DWLP_MSGRESULT, not the return value.
      SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
      return TRUE;
    }
    case WM_DRAWITEM:
      return RouteDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    case WM_MEASUREITEM:
      return RouteMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_SYSCOLORCHANGE:
      // Only top-level windows hear of it; controls repaint from it too.
      ForwardToChildren(message, wParam, lParam);
      return FALSE;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
      return FALSE;
    default: {
      LRESULT result = 0;
      if (!OnDialogMessage(message, wParam, lParam, &result)) return FALSE;
      if (ReturnsDirectly(message)) return result;
      SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
      return TRUE;
    }
  }
}

bool CDialog::RouteDrawItem(DRAWITEMSTRUCT* item) {
  if (item->CtlType != ODT_MENU) {
    if (CWnd* control = FromBound(item->hwndItem)) {
      control->DrawItem(item);
      return true;
    }
  }
  return OnDrawItem(item);
}

bool CDialog::RouteMeasureItem(MEASUREITEMSTRUCT* item) {
  if (item->CtlType != ODT_MENU) {
    if (CWnd* control = FromBound(GetDlgItem(item->CtlID))) {
      control->MeasureItem(item);
      return true;
    }
  }
  return OnMeasureItem(item);
}

void CDialog::ForwardToChildren(UINT message, WPARAM wParam, LPARAM lParam) const {
  for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    SendMessageW(child, message, wParam, lParam);
}

}  // namespace kit
