#include "tests/win/support/robot.h"

#include <atomic>
#include <cctype>
#include <vector>

#include "kit/scoped_handle.h"
#include "resdll/kelvrares_ids.h"

namespace test {
namespace {

constexpr int kMessageBoxTextId = 0xFFFF;
constexpr DWORD kPollMs = 10;

bool IsVisibleDialog(HWND window) {
  char cls[16] = "";
  GetClassNameA(window, cls, sizeof cls);
  return lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(window);
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

std::string WindowText(HWND window) {
  char text[4096] = "";
  // Sent across threads: answered while the page thread pumps messages.
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_BLOCK,
                      5000, nullptr);
  return text;
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

Key Alt(char letter) {
  return {static_cast<WORD>(LOBYTE(VkKeyScanA(letter))), true, false};
}

Key AccessKeyOf(int id) {
  return {0, true, false, id};
}

char AccessKey(HWND window) {
  char text[512] = "";
  GetWindowTextA(window, text, sizeof text);
  for (const char* c = text; *c; ++c) {
    if (*c != '&') continue;
    if (c[1] != '&') return static_cast<char>(std::toupper(static_cast<unsigned char>(c[1])));
    ++c;
  }
  return 0;
}

char ControlAccessKey(HWND control) {
  char name[16] = "";
  GetClassNameA(control, name, sizeof name);
  return AccessKey(lstrcmpiA(name, "Button") == 0 ? control : GetWindow(control, GW_HWNDPREV));
}

std::vector<Key> Typed(const std::string& text) {
  std::vector<Key> keys;
  for (const char c : text) {
    const SHORT scan = VkKeyScanA(c);
    keys.push_back({static_cast<WORD>(LOBYTE(scan)), false, (HIBYTE(scan) & 1) != 0});
  }
  return keys;
}

bool Ui::Press(const std::vector<Key>& keys) const {
  const kit::ScopedHook hook(SetWindowsHookExA(WH_KEYBOARD, CountKeysTaken, nullptr, pageThread_));
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
      const char letter = ControlAccessKey(GetDlgItem(info.hwndActive, key.control));
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
    SendMessageTimeoutA(Focus(), WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
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
  PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  WaitUntilClosed(box.window);
}

bool Ui::WaitUntilClosed(HWND window, DWORD timeoutMs) const {
  return PollUntil(timeoutMs, [&] { return !IsWindow(window); });
}

size_t Ui::OpenDialogs() const {
  return ThreadDialogs(pageThread_).size();
}

std::string Ui::Text(HWND dialog, int id) const {
  return WindowText(GetDlgItem(dialog, id));
}

void Ui::SetText(HWND dialog, int id, const std::string& text) const {
  SendMessageTimeoutA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                      SMTO_BLOCK, 5000, nullptr);
}

bool Ui::IsChecked(HWND dialog, int id) const {
  DWORD_PTR state = 0;
  SendMessageTimeoutA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_BLOCK, 5000, &state);
  return state == BST_CHECKED;
}

void Ui::Click(HWND dialog, int id) const {
  // The button clicks itself: it changes its own state (a radio button is
  // checked) and then tells the dialog, as under the mouse.
  PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void Ui::Toggle(HWND dialog, int id) const {
  SendMessageTimeoutA(GetDlgItem(dialog, id), BM_CLICK, 0, 0, SMTO_BLOCK, 5000, nullptr);
}

void Ui::SendPressed(HWND dialog, int id) const {
  SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                      reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)), SMTO_BLOCK, 5000, nullptr);
}

namespace {

BOOL CALLBACK CollectChild(HWND child, LPARAM out) {
  reinterpret_cast<std::vector<HWND>*>(out)->push_back(child);
  return TRUE;
}

}  // namespace

std::string Ui::ControlStates(HWND dialog) const {
  std::vector<HWND> children;
  EnumChildWindows(dialog, CollectChild, reinterpret_cast<LPARAM>(&children));
  std::string states;
  for (HWND child : children) {
    const int id = GetDlgCtrlID(child);
    DWORD_PTR check = 0;
    SendMessageTimeoutA(child, BM_GETCHECK, 0, 0, SMTO_BLOCK, 5000, &check);
    states += std::to_string(id) + " '" + WindowText(child) + "' " + std::to_string(check) + "\n";
  }
  return states;
}

void Ui::PressEscape(HWND dialog) const {
  // The dialog manager turns Esc on any control into IDCANCEL.
  HWND target = GetWindow(dialog, GW_CHILD);
  PostMessageA(target ? target : dialog, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  PostMessageA(target ? target : dialog, WM_KEYUP, VK_ESCAPE, 0xC0010001);
}

void Ui::PressCloseBox(HWND dialog) const {
  PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
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
  const std::function<void(Ui&)>* script;
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
    PostMessageA(left, WM_COMMAND, MAKEWPARAM(isMessageBox ? IDNO : IDC_BACK, BN_CLICKED), 0);
    if (!ui.WaitUntilClosed(left, 1000)) PostMessageA(left, WM_COMMAND, IDOK, 0);
    ui.WaitUntilClosed(left, 1000);
  }
}

DWORD WINAPI RunScript(void* data) {
  auto* run = static_cast<ScriptRun*>(data);
  (*run->script)(run->ui);
  CloseLeftovers(run->ui);
  return 0;
}

}  // namespace

int Drive(const std::function<int()>& showPage, const std::function<void(Ui&)>& script) {
  ScriptRun run{&script, Ui(GetCurrentThreadId())};
  const kit::ScopedKernelHandle thread(CreateThread(nullptr, 0, RunScript, &run, 0, nullptr));
  const int result = showPage();
  WaitForSingleObject(thread.get(), INFINITE);
  return result;
}

std::string ListCellText(HWND list, int row, int column) {
  char text[256] = "";
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

}  // namespace test
