#include "kit/ui_helpers.h"

#include "kit/app.h"

namespace kit {

int ShowMessage(const std::string& text, UINT style) {
  const CWinApp* app = CWinApp::Current();
  return MessageBoxA(GetActiveWindow(), text.c_str(), app ? app->AppName() : "", style);
}

int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT style) {
  return MessageBoxA(owner, text.c_str(), caption.c_str(), style);
}

bool LoadResourceString(UINT id, std::string* out) {
  // A string table entry holds at most 4097 characters.
  char buffer[4100];
  const int length = LoadStringA(ResourceHandle(), id, buffer, sizeof buffer);
  if (length <= 0) return false;
  out->assign(buffer, length);
  return true;
}

std::string ResourceString(UINT id) {
  std::string text;
  LoadResourceString(id, &text);
  return text;
}

std::string SystemMessage(DWORD error) {
  char text[1024];
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, error, 0, text, sizeof text, nullptr);
  std::string message(text, length);
  message.erase(message.find_last_not_of("\r\n ") + 1);
  return message.empty() ? std::to_string(error) : message;
}

void SetWindowIcons(HWND window, HICON icon) {
  // The small one first: a window given only a big icon has a small one
  // made from it, work that the second message would then throw away.
  SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

}  // namespace kit
