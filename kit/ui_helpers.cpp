#include "kit/ui_helpers.h"

#include "kit/app.h"

namespace kit {

int ShowMessage(const std::wstring& text, UINT style) {
  const CWinApp* app = CWinApp::Current();
  return MessageBoxW(GetActiveWindow(), text.c_str(), app ? app->AppName() : L"", style);
}

int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style) {
  return MessageBoxW(owner, text.c_str(), caption.c_str(), style);
}

bool LoadResourceString(UINT id, std::wstring* out) {
  // A string table entry holds at most 4097 characters.
  wchar_t buffer[4100];
  const int length = LoadStringW(ResourceHandle(), id, buffer, static_cast<int>(std::size(buffer)));
  if (length <= 0) return false;
  out->assign(buffer, length);
  return true;
}

std::wstring ResourceString(UINT id) {
  std::wstring text;
  LoadResourceString(id, &text);
  return text;
}

std::wstring SystemMessage(DWORD error) {
  wchar_t text[1024];
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                     text, static_cast<DWORD>(std::size(text)), nullptr);
  std::wstring message(text, length);
  message.erase(message.find_last_not_of(L"\r\n ") + 1);
  return message.empty() ? std::to_wstring(error) : message;
}

void NameAfterLabel(HWND control) {
  HWND label = control ? GetWindow(control, GW_HWNDPREV) : nullptr;
  wchar_t className[16] = L"";
  if (!label || !GetClassNameW(label, className, static_cast<int>(std::size(className))) ||
      lstrcmpiW(className, L"Static") != 0)
    return;
  wchar_t text[1024] = L"";
  GetWindowTextW(label, text, static_cast<int>(std::size(text)));
  std::wstring name;
  for (const wchar_t* c = text; *c; ++c) {
    // "&&" stands for one ampersand; a single one marks the access key.
    if (*c == L'&' && *++c == L'\0') break;
    name += *c;
  }
  SetWindowTextW(control, name.c_str());
}

void SetWindowIcons(HWND window, HICON icon) {
  // The small one first: a window given only a big icon has a small one
  // made from it, work that the second message would then throw away.
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

}  // namespace kit
