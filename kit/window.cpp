#include "kit/window.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "kit/held_lock.h"
#include "kit/pending_exception.h"

namespace kit {
namespace {

// A window this layer subclassed: the object its messages go to (null once
// the object let go while another procedure sat above ours, which still
// passes messages on) and the procedure the window had before.
struct Subclass {
  HWND window = nullptr;
  CWnd* object = nullptr;
  WNDPROC previous = nullptr;
};

// The subclassed windows, looked up by their shared procedure on every
// message. SetWindowSubclass or a window property would do, but under Wine
// each of their lookups is a round trip to the server.
class SubclassTable {
 public:
  void Add(const Subclass& entry) {
    const HeldLock held(&lock_);
    entries_.push_back(entry);
  }
  // A copy, so that the message is handled without the lock; empty if the
  // window is not listed.
  Subclass Find(HWND window) {
    const HeldLock held(&lock_);
    const auto entry = Position(window);
    return entry == entries_.end() ? Subclass{} : *entry;
  }
  void Detach(HWND window) {
    const HeldLock held(&lock_);
    const auto entry = Position(window);
    if (entry != entries_.end()) entry->object = nullptr;
  }
  void Remove(HWND window) {
    const HeldLock held(&lock_);
    const auto entry = Position(window);
    if (entry != entries_.end()) entries_.erase(entry);
  }

 private:
  std::vector<Subclass>::iterator Position(HWND window) {
    return std::find_if(entries_.begin(), entries_.end(),
                        [window](const Subclass& entry) { return entry.window == window; });
  }

  SRWLOCK lock_ = SRWLOCK_INIT;
  std::vector<Subclass> entries_;  // a few per page
};

SubclassTable g_subclasses;

LONG_PTR AsLong(WNDPROC procedure) {
  return reinterpret_cast<LONG_PTR>(procedure);
}

}  // namespace

CWnd::~CWnd() {
  Unbind();
}

bool CWnd::Bind(HWND window) {
  if (!window || IsBound() || g_subclasses.Find(window).window) return false;
  hwnd_ = window;
  PreSubclassWindow();
  // Setting the procedure sends the window nothing, so it is listed before
  // its first message comes. Zero means it failed: no procedure is null.
  const LONG_PTR previous = SetWindowLongPtrW(window, GWLP_WNDPROC, AsLong(SubclassProc));
  subclassed_ = previous != 0;
  if (subclassed_)
    g_subclasses.Add({window, this, reinterpret_cast<WNDPROC>(previous)});
  else
    hwnd_ = nullptr;
  return subclassed_;
}

void CWnd::View(HWND window) {
  Unbind();
  hwnd_ = window;
}

void CWnd::Unbind() {
  if (subclassed_ && hwnd_) {
    if (GetWindowLongPtrW(hwnd_, GWLP_WNDPROC) == AsLong(SubclassProc)) {
      SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, AsLong(g_subclasses.Find(hwnd_).previous));
      g_subclasses.Remove(hwnd_);
    } else {
      g_subclasses.Detach(hwnd_);
    }
  }
  subclassed_ = false;
  hwnd_ = nullptr;
}

CWnd* CWnd::FromBound(HWND window) {
  return window ? g_subclasses.Find(window).object : nullptr;
}

std::wstring CWnd::GetText() const {
  const int length = GetWindowTextLengthW(hwnd_);
  std::vector<wchar_t> buffer(length + 1);
  const int copied = GetWindowTextW(hwnd_, buffer.data(), length + 1);
  return std::wstring(buffer.data(), copied > 0 ? copied : 0);
}

void CWnd::SetText(const std::wstring& text) const {
  SetWindowTextW(hwnd_, text.c_str());
}

LONG_PTR CWnd::Style() const {
  return GetWindowLongPtrW(hwnd_, GWL_STYLE);
}

void CWnd::ModifyStyle(LONG_PTR remove, LONG_PTR add) const {
  SetWindowLongPtrW(hwnd_, GWL_STYLE, (Style() & ~remove) | add);
}

LRESULT CWnd::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return SendMessageW(hwnd_, message, wParam, lParam);
}

void CWnd::DrawItem(DRAWITEMSTRUCT*) {}

void CWnd::MeasureItem(MEASUREITEMSTRUCT*) {}

bool CWnd::OnWindowMessage(UINT, WPARAM, LPARAM, LRESULT*) {
  return false;
}

LRESULT CWnd::Default(UINT message, WPARAM wParam, LPARAM lParam) const {
  return PassOn(g_subclasses.Find(hwnd_).previous, hwnd_, message, wParam, lParam);
}

LRESULT CWnd::PassOn(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return previous ? CallWindowProcW(previous, window, message, wParam, lParam)
                  : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const Subclass entry = g_subclasses.Find(window);
  if (message == WM_NCDESTROY) {
    if (entry.object) entry.object->Unbind();
    g_subclasses.Remove(window);
  } else if (entry.object) {
    try {
      LRESULT result = 0;
      if (entry.object->OnWindowMessage(message, wParam, lParam, &result)) return result;
    } catch (...) {
      AbandonDialogOnException(window);
    }
  }
  return PassOn(entry.previous, window, message, wParam, lParam);
}

void AbandonDialogOnException(HWND window) {
  SetPendingException(std::current_exception());
  HWND dialog = GetAncestor(window, GA_ROOT);
  if (dialog) EndDialog(dialog, -1);
}

}  // namespace kit
