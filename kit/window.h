// CWnd: a non-owning view of a window. A control becomes a C++ object by
// subclassing (Bind), which routes its messages to the object's virtuals
// until the window is destroyed.
#pragma once

#include <string>
#include <windows.h>

#include "kit/runtime_class.h"

namespace kit {

class CWnd {
 public:
  static inline const RuntimeClass kRuntimeClass{"CWnd", nullptr};

  CWnd() = default;
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  virtual const RuntimeClass* GetRuntimeClass() const { return &kRuntimeClass; }
  bool IsKindOf(const RuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }

  HWND Hwnd() const { return hwnd_; }
  bool IsBound() const { return hwnd_ != nullptr; }

  // Attaches this object to an existing window by subclassing it.
  bool Bind(HWND window);
  // Views an existing window without subclassing it, for a control whose
  // messages this object never handles, so none of them pass through it.
  // The view is not found by FromBound and outlives the window it views.
  void View(HWND window);
  void Unbind();

  // The object bound to a window by Bind, or null.
  static CWnd* FromBound(HWND window);

  std::wstring GetText() const;
  void SetText(const std::wstring& text) const;
  LONG_PTR Style() const;
  void ModifyStyle(LONG_PTR remove, LONG_PTR add) const;
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

  // Owner-drawn controls get these from their dialog.
  virtual void DrawItem(DRAWITEMSTRUCT* item);
  virtual void MeasureItem(MEASUREITEMSTRUCT* item);

 protected:
  // Called before the window is subclassed, with Hwnd() already set.
  virtual void PreSubclassWindow() {}

  // A bound control's messages; return true with *result set to handle one,
  // false to pass it on to the window's own procedure.
  virtual bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

  // The window's own handling of a message, for use inside OnWindowMessage.
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) const;

  HWND hwnd_ = nullptr;

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // The window's procedure from before it was bound, or the default one.
  static LRESULT PassOn(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool subclassed_ = false;
};

class CStatic : public CWnd {
 public:
  KIT_RUNTIME_CLASS(CStatic, CWnd);
};

// Keeps a control from laying itself out and redrawing after every item
// while it is filled; when it goes, the control redraws once.
class ScopedNoRedraw {
 public:
  explicit ScopedNoRedraw(const CWnd& control) : control_(control) {
    if (control_.IsBound()) control_.Send(WM_SETREDRAW, FALSE);
  }
  ~ScopedNoRedraw() {
    // A control the template lacks has no window, and a null one would
    // repaint every window on the desktop.
    if (!control_.IsBound()) return;
    control_.Send(WM_SETREDRAW, TRUE);
    InvalidateRect(control_.Hwnd(), nullptr, TRUE);
  }
  ScopedNoRedraw(const ScopedNoRedraw&) = delete;
  ScopedNoRedraw& operator=(const ScopedNoRedraw&) = delete;

 private:
  const CWnd& control_;
};

// Records an exception caught in a window procedure and ends the modal
// dialog around `window`; DoModal rethrows it once the dialog is gone.
void AbandonDialogOnException(HWND window);

}  // namespace kit
