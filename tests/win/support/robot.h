// A UI robot for tests: while the test's thread sits in a page's modal loop,
// a second thread finds the page, reads and changes its controls and presses
// its buttons the way a user would.
#pragma once

#include <functional>
#include <string>
#include <vector>
#include <windows.h>

#include "include/kelvra.h"  // what OpenPage returns

namespace test {

// One key as the keyboard sends it, optionally with Alt or Shift held; or,
// with `control` set, Alt and the access key of that control of the active
// dialog, whatever the language of its texts.
struct Key {
  WORD vk;
  bool alt = false;
  bool shift = false;
  int control = 0;
};
// Alt and a letter: the access key `letter`.
Key Alt(wchar_t letter);
// The access key of control `id`: its own, or for an edit, list or tree
// that of the label just before it.
Key AccessKeyOf(int id);
// A window's text, asked for as another thread would; its class name.
std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);
// The upper-case letter after the '&' of a window's text; 0 when none.
wchar_t AccessKey(HWND window);
// A control's access key: a button's own, else that of the label just before it.
wchar_t ControlAccessKey(HWND control);
// The keys that type `text` on a US keyboard.
std::vector<Key> Typed(const std::wstring& text);

struct MessageBoxSeen {
  HWND window = nullptr;
  std::wstring text;
  std::wstring caption;
};

class Ui {
 public:
  explicit Ui(DWORD pageThread) : pageThread_(pageThread) {}

  // The page thread's newest visible dialog that is not `other`; null on timeout.
  HWND WaitForDialog(HWND other = nullptr, DWORD timeoutMs = 5000) const;
  // A message box of the page thread, with its text and caption.
  MessageBoxSeen WaitForMessageBox(DWORD timeoutMs = 5000) const;
  // Presses IDYES, IDNO, IDOK... on a message box and waits until it is gone.
  void Answer(const MessageBoxSeen& box, int button) const;
  bool WaitUntilClosed(HWND window, DWORD timeoutMs = 5000) const;
  // How many dialogs and boxes of the page thread are up.
  size_t OpenDialogs() const;

  std::wstring Text(HWND dialog, int id) const;
  void SetText(HWND dialog, int id, const std::wstring& text) const;
  bool IsChecked(HWND dialog, int id) const;
  // Clicks a button (BM_CLICK), as the mouse would.
  void Click(HWND dialog, int id) const;
  // Clicks a check box or radio button and returns once the dialog has dealt
  // with it, so what is read next sees the click. Only for buttons whose
  // press opens nothing modal: it waits for the press to finish.
  void Toggle(HWND dialog, int id) const;
  // Tells the dialog that button `id` was pressed, as the button itself
  // would, and returns once the dialog has dealt with it.
  void SendPressed(HWND dialog, int id) const;
  // Every child control's ID, text and check state, one line each.
  std::wstring ControlStates(HWND dialog) const;
  void PressEscape(HWND dialog) const;
  void PressCloseBox(HWND dialog) const;
  // Presses `keys` as real key input to the page thread's focus, one after
  // another, each taken and dealt with before the next; false when a key was
  // not taken within a few seconds.
  bool Press(const std::vector<Key>& keys) const;
  // The control with the keyboard focus on the page thread.
  HWND Focus() const;

  DWORD PageThread() const { return pageThread_; }

 private:
  DWORD pageThread_;
};

// The thread of the first visible dialog of another process, for a Ui that
// drives that process's pages from this one; 0 on timeout.
DWORD DialogThreadOfProcess(DWORD processId, DWORD timeoutMs);

// Runs `show` on this thread while a second thread, as the user, runs `act`
// on the first dialog or message box it shows, and returns show's result.
// When nothing shows, the test fails and `act` is not run. What `act` leaves
// open is ended with No or Back, then OK, so that a failing test never hangs.
int OpenPage(const std::function<int()>& show, const std::function<void(Ui&, HWND shown)>& act);
// The same for the export `exportName` of the real Kelvra.dll beside this program.
int OpenPage(const std::wstring& exportName, const std::function<void(Ui&, HWND shown)>& act);

// The text of one cell of a list-view control in this process.
std::wstring ListCellText(HWND list, int row, int column);

}  // namespace test
