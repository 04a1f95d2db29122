#include "tests/win/support/robot.h"

#include <atomic>
#include <cctype>
#include <vector>

#include <gtest/gtest.h>

#include "kit/scoped_handle.h"
#include "resdll/kelvrares_ids.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/scoped_test_handles.h"

namespace test {

std::wstring WindowText(HWND window) {
  wchar_t text[4096] = L"";
  // Sent across threads: answered while the page thread pumps messages.
  SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text),
                      SMTO_BLOCK, 5000, nullptr);
  return text;
}

std::wstring ClassName(HWND window) {
  wchar_t name[64] = L"";
  GetClassNameW(window, name, std::size(name));
  return name;
}

namespace {

constexpr int kMessageBoxTextId = 0xFFFF;
constexpr DWORD kPollMs = 10;

bool IsVisibleDialog(HWND window) {
  return ClassName(window) == L"#32770" && IsWindowVisible(window);
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM out) {
  if (IsVisibleDialog(window)) reinterpret_cast<std::vector<HWND>*>(out)->push_back(window);
  return TRUE;
}

// Top-level dialogs of the thread, topmost first.
std::vector<HWND> ThreadDialogs(DWORD thread) {
  std::vector<HWND> dialogs;
  EnumThreadWindows(thread, CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
  return dialogs;
}

template <class Found>
bool PollUntil(DWORD timeoutMs, Found found) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (found()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(kPollMs);
  }
}

// Key-down messages the page thread has taken from its queue, seen by a
// hook. Key-ups are not waited for: the last may come after the page is gone.
std::atomic<long> g_keysTaken{0};

LRESULT CALLBACK CountKeysTaken(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && !(lParam & 0x80000000)) ++g_keysTaken;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void AddKey(std::vector<INPUT>* inputs, WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  inputs->push_back(input);
}

}  // namespace

Key Alt(wchar_t letter) {
  return {static_cast<WORD>(LOBYTE(VkKeyScanW(letter))), true, false};
}

Key AccessKeyOf(int id) {
  return {0, true, false, id};
}

wchar_t AccessKey(HWND window) {
  const std::wstring text = WindowText(window);
  for (const wchar_t* c = text.c_str(); *c; ++c) {
    if (*c != L'&') continue;
    if (c[1] != L'&') return static_cast<wchar_t>(std::toupper(static_cast<unsigned char>(c[1])));
    ++c;
  }
  return 0;
}

wchar_t ControlAccessKey(HWND control) {
  const bool button = lstrcmpiW(ClassName(control).c_str(), L"Button") == 0;
  return AccessKey(button ? control : GetWindow(control, GW_HWNDPREV));
}

std::vector<Key> Typed(const std::wstring& text) {
  std::vector<Key> keys;
  for (const wchar_t c : text) {
    const SHORT scan = VkKeyScanW(c);
    keys.push_back({static_cast<WORD>(LOBYTE(scan)), false, (HIBYTE(scan) & 1) != 0});
  }
  return keys;
}

bool Ui::Press(const std::vector<Key>& keys) const {
  const ScopedHook hook(SetWindowsHookExW(WH_KEYBOARD, CountKeysTaken, nullptr, pageThread_));
  if (!hook) return false;
  // Keys go to the foreground window, which a page just opened on a busy
  // machine may not be yet: input sent before then is lost.
  PollUntil(5000, [&] {
    return GetWindowThreadProcessId(GetForegroundWindow(), nullptr) == pageThread_;
  });
  for (Key key : keys) {
    if (key.control) {
      GUITHREADINFO info{};
      info.cbSize = sizeof info;
      GetGUIThreadInfo(pageThread_, &info);
      const wchar_t letter = ControlAccessKey(GetDlgItem(info.hwndActive, key.control));
      if (!letter) return false;
      key = Alt(letter);
    }
    std::vector<INPUT> inputs;
    if (key.alt) AddKey(&inputs, VK_MENU, false);
    if (key.shift) AddKey(&inputs, VK_SHIFT, false);
    AddKey(&inputs, key.vk, false);
    AddKey(&inputs, key.vk, true);
    if (key.shift) AddKey(&inputs, VK_SHIFT, true);
    if (key.alt) AddKey(&inputs, VK_MENU, true);
    const long expected = g_keysTaken + static_cast<long>(inputs.size() / 2);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (!PollUntil(10000, [&] { return g_keysTaken >= expected; })) return false;
    // Answered once the last key's message has been dealt with.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(Focus(), WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
  }
  return true;
}

HWND Ui::Focus() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(pageThread_, &info);
  return info.hwndFocus;
}

HWND Ui::WaitForDialog(HWND other, DWORD timeoutMs) const {
  HWND result = nullptr;
  PollUntil(timeoutMs, [&] {
    for (HWND dialog : ThreadDialogs(pageThread_)) {
      if (dialog != other && !GetDlgItem(dialog, kMessageBoxTextId)) {
        result = dialog;
        return true;
      }
    }
    return false;
  });
  return result;
}

MessageBoxSeen Ui::WaitForMessageBox(DWORD timeoutMs) const {
  MessageBoxSeen box;
  PollUntil(timeoutMs, [&] {
    for (HWND dialog : ThreadDialogs(pageThread_)) {
      if (HWND text = GetDlgItem(dialog, kMessageBoxTextId)) {
        box.window = dialog;
        box.text = WindowText(text);
        box.caption = WindowText(dialog);
        return true;
      }
    }
    return false;
  });
  return box;
}

void Ui::Answer(const MessageBoxSeen& box, int button) const {
  PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  WaitUntilClosed(box.window);
}

bool Ui::WaitUntilClosed(HWND window, DWORD timeoutMs) const {
  return PollUntil(timeoutMs, [&] { return !IsWindow(window); });
}

size_t Ui::OpenDialogs() const {
  return ThreadDialogs(pageThread_).size();
}

std::wstring Ui::Text(HWND dialog, int id) const {
  return WindowText(GetDlgItem(dialog, id));
}

void Ui::SetText(HWND dialog, int id, const std::wstring& text) const {
  SendMessageTimeoutW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                      SMTO_BLOCK, 5000, nullptr);
}

bool Ui::IsChecked(HWND dialog, int id) const {
  DWORD_PTR state = 0;
  SendMessageTimeoutW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_BLOCK, 5000, &state);
  return state == BST_CHECKED;
}

void Ui::Click(HWND dialog, int id) const {
  // The button clicks itself: it changes its own state (a radio button is
  // checked) and then tells the dialog, as under the mouse.
  PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void Ui::Toggle(HWND dialog, int id) const {
  SendMessageTimeoutW(GetDlgItem(dialog, id), BM_CLICK, 0, 0, SMTO_BLOCK, 5000, nullptr);
}

void Ui::SendPressed(HWND dialog, int id) const {
  SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                      reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)), SMTO_BLOCK, 5000, nullptr);
}

namespace {

BOOL CALLBACK CollectChild(HWND child, LPARAM out) {
  reinterpret_cast<std::vector<HWND>*>(out)->push_back(child);
  return TRUE;
}

}  // namespace

std::wstring Ui::ControlStates(HWND dialog) const {
  std::vector<HWND> children;
  EnumChildWindows(dialog, CollectChild, reinterpret_cast<LPARAM>(&children));
  std::wstring states;
  for (HWND child : children) {
    const int id = GetDlgCtrlID(child);
    DWORD_PTR check = 0;
    SendMessageTimeoutW(child, BM_GETCHECK, 0, 0, SMTO_BLOCK, 5000, &check);
    states +=
        std::to_wstring(id) + L" '" + WindowText(child) + L"' " + std::to_wstring(check) + L"\n";
  }
  return states;
}

void Ui::PressEscape(HWND dialog) const {
  // The dialog manager turns Esc on any control into IDCANCEL.
  HWND target = GetWindow(dialog, GW_CHILD);
  PostMessageW(target ? target : dialog, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  PostMessageW(target ? target : dialog, WM_KEYUP, VK_ESCAPE, 0xC0010001);
}

void Ui::PressCloseBox(HWND dialog) const {
  PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

namespace {

struct ProcessDialog {
  DWORD processId;
  DWORD thread;
};

BOOL CALLBACK FindProcessDialog(HWND window, LPARAM data) {
  auto* wanted = reinterpret_cast<ProcessDialog*>(data);
  DWORD processId = 0;
  const DWORD thread = GetWindowThreadProcessId(window, &processId);
  if (processId != wanted->processId || !IsVisibleDialog(window)) return TRUE;
  wanted->thread = thread;
  return FALSE;
}

}  // namespace

DWORD DialogThreadOfProcess(DWORD processId, DWORD timeoutMs) {
  ProcessDialog wanted{processId, 0};
  PollUntil(timeoutMs, [&] {
    EnumWindows(FindProcessDialog, reinterpret_cast<LPARAM>(&wanted));
    return wanted.thread != 0;
  });
  return wanted.thread;
}

namespace {

struct ScriptRun {
  const std::function<void(Ui&, HWND)>* act;
  Ui ui;
};

// Whatever a script left open is closed, so that the test can end: message
// boxes with No (or OK), pages with Back (or OK).
void CloseLeftovers(const Ui& ui) {
  for (int round = 0; round < 10; ++round) {
    HWND left = nullptr;
    PollUntil(50, [&] {
      const std::vector<HWND> dialogs = ThreadDialogs(ui.PageThread());
      if (!dialogs.empty()) left = dialogs.front();
      return left != nullptr;
    });
    if (!left) return;
    const bool isMessageBox = GetDlgItem(left, kMessageBoxTextId) != nullptr;
    PostMessageW(left, WM_COMMAND, MAKEWPARAM(isMessageBox ? IDNO : IDC_BACK, BN_CLICKED), 0);
    if (!ui.WaitUntilClosed(left, 1000)) PostMessageW(left, WM_COMMAND, IDOK, 0);
    ui.WaitUntilClosed(left, 1000);
  }
}

DWORD WINAPI RunScript(void* data) {
  auto* run = static_cast<ScriptRun*>(data);
  HWND shown = nullptr;
  PollUntil(5000, [&] {
    const std::vector<HWND> dialogs = ThreadDialogs(run->ui.PageThread());
    if (!dialogs.empty()) shown = dialogs.front();
    return shown != nullptr;
  });
  EXPECT_NE(shown, nullptr) << L"nothing showed";
  if (shown) (*run->act)(run->ui, shown);
  CloseLeftovers(run->ui);
  return 0;
}

}  // namespace

int OpenPage(const std::function<int()>& show, const std::function<void(Ui&, HWND shown)>& act) {
  ScriptRun run{&act, Ui(GetCurrentThreadId())};
  const kit::ScopedKernelHandle thread(CreateThread(nullptr, 0, RunScript, &run, 0, nullptr));
  const int result = show();
  WaitForSingleObject(thread.get(), INFINITE);
  return result;
}

int OpenPage(const std::wstring& exportName, const std::function<void(Ui&, HWND shown)>& act) {
  return OpenPage([&] { return CallExport(exportName.c_str()); }, act);
}

std::wstring ListCellText(HWND list, int row, int column) {
  wchar_t text[256] = L"";
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = std::size(text);
  SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

}  // namespace test
