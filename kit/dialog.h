// CDialog: a modal dialog from a template in the current resource module.
#pragma once

#include <string>
#include <windows.h>

#include "kit/message_map.h"
#include "kit/window.h"

namespace kit {

class CDialog : public CWnd {
 public:
  KIT_RUNTIME_CLASS(CDialog, CWnd);

  CDialog(UINT templateId, HWND parent);

  // Runs the dialog; returns the EndDialog code, -1 when it could not be made.
  // An exception thrown by a handler ends the dialog and is rethrown here.
  INT_PTR DoModal();
  void EndDialog(INT_PTR result) const;

  HWND GetDlgItem(int id) const { return ::GetDlgItem(hwnd_, id); }
  std::wstring GetDlgItemText(int id) const;
  void SetDlgItemText(int id, const std::wstring& text) const;

 protected:
  // Binds the controls (DoDataExchange); pages call it first.
  virtual BOOL OnInitDialog();
  // Binds controls to their C++ objects with BindControl.
  virtual void DoDataExchange() {}
  virtual void OnOK();
  virtual void OnCancel();

  // WM_COMMAND and WM_NOTIFY; return true when handled. A class with a
  // table (kit/message_map.h) runs it here and passes the rest to its base.
  // The defaults end the dialog on IDOK and IDCANCEL.
  virtual bool OnCommand(UINT id, UINT code);
  virtual bool OnNotify(NMHDR* header, LRESULT* result);
  // Any other message; return true with *result set when handled. The
  // result reaches the sender as the message's own return value.
  virtual bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

  // Owner-drawn items that no bound control claims (menus, for example).
  virtual bool OnDrawItem(DRAWITEMSTRUCT* item);
  virtual bool OnMeasureItem(MEASUREITEMSTRUCT* item);

  void BindControl(int id, CWnd& control);
  // For a control whose messages its object never handles (CWnd::View).
  void ViewControl(int id, CWnd& control) { control.View(GetDlgItem(id)); }

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  bool RouteDrawItem(DRAWITEMSTRUCT* item);
  bool RouteMeasureItem(MEASUREITEMSTRUCT* item);
  void ForwardToChildren(UINT message, WPARAM wParam, LPARAM lParam) const;

  UINT templateId_;
  HWND parent_;
};

}  // namespace kit
