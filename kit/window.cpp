#include "kit/window.h"

#include <commctrl.h>
#include <exception>
#include <vector>

#include "kit/pending_exception.h"

namespace kit {
namespace {

// The one subclass ID of this layer.
constexpr UINT_PTR kSubclassId = 0x4B4C;
// The bound object, kept as a window property: GetWindowSubclass would do,
// but not every import library of comctl32 has it.
constexpr char kBoundObjectProperty[] = "KelvraBoundObject";

}  // namespace

CWnd::~CWnd() {
  Unbind();
}

bool CWnd::Bind(HWND window) {
  if (!window || IsBound() || FromBound(window)) return false;
  hwnd_ = window;
  PreSubclassWindow();
  subclassed_ = SetWindowSubclass(window, SubclassProc, kSubclassId,
                                  reinterpret_cast<DWORD_PTR>(this)) != FALSE;
  if (subclassed_ && !SetPropA(window, kBoundObjectProperty, this)) {
    RemoveWindowSubclass(window, SubclassProc, kSubclassId);
    subclassed_ = false;
  }
  if (!subclassed_) hwnd_ = nullptr;
  return subclassed_;
}

void CWnd::View(HWND window) {
  Unbind();
  hwnd_ = window;
}

void CWnd::Unbind() {
  if (subclassed_ && hwnd_) {
    RemoveWindowSubclass(hwnd_, SubclassProc, kSubclassId);
    RemovePropA(hwnd_, kBoundObjectProperty);
  }
  subclassed_ = false;
  hwnd_ = nullptr;
}

CWnd* CWnd::FromBound(HWND window) {
  if (!window) return nullptr;
  return static_cast<CWnd*>(GetPropA(window, kBoundObjectProperty));
}

std::string CWnd::GetText() const {
  const int length = GetWindowTextLengthA(hwnd_);
  std::vector<char> buffer(length + 1);
  const int copied = GetWindowTextA(hwnd_, buffer.data(), length + 1);
  return std::string(buffer.data(), copied > 0 ? copied : 0);
}

void CWnd::SetText(const std::string& text) const {
  SetWindowTextA(hwnd_, text.c_str());
}

LONG_PTR CWnd::Style() const {
  return GetWindowLongPtrA(hwnd_, GWL_STYLE);
}

void CWnd::ModifyStyle(LONG_PTR remove, LONG_PTR add) const {
  SetWindowLongPtrA(hwnd_, GWL_STYLE, (Style() & ~remove) | add);
}

LRESULT CWnd::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return SendMessageA(hwnd_, message, wParam, lParam);
}

void CWnd::DrawItem(DRAWITEMSTRUCT*) {}

void CWnd::MeasureItem(MEASUREITEMSTRUCT*) {}

bool CWnd::OnWindowMessage(UINT, WPARAM, LPARAM, LRESULT*) {
  return false;
}

LRESULT CWnd::Default(UINT message, WPARAM wParam, LPARAM lParam) const {
  return DefSubclassProc(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR, DWORD_PTR selfData) {
  CWnd* self = reinterpret_cast<CWnd*>(selfData);
  if (message == WM_NCDESTROY) {
    self->Unbind();
    return DefSubclassProc(window, message, wParam, lParam);
  }
  try {
    LRESULT result = 0;
    if (self->OnWindowMessage(message, wParam, lParam, &result)) return result;
  } catch (...) {
    AbandonDialogOnException(window);
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

void AbandonDialogOnException(HWND window) {
  SetPendingException(std::current_exception());
  HWND dialog = GetAncestor(window, GA_ROOT);
  if (dialog) EndDialog(dialog, -1);
}

}  // namespace kit
