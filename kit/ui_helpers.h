// Small helpers of the class layer: message box, window icons, wait cursor,
// string resources.
#pragma once

#include <string>
#include <windows.h>

namespace kit {

// A message box captioned with the application's name, owned by the
// thread's active window (none when no window is up).
int ShowMessage(const std::wstring& text, UINT style);
// A message box of the page's own, owned by `owner`, which takes no input
// while it is up.
int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style);

// Loads string `id` of the current resource module into `out`. When the
// string is missing, `out` is left as it was and the result is false.
bool LoadResourceString(UINT id, std::wstring* out);

// The string, or empty text when it is missing.
std::wstring ResourceString(UINT id);

// The system's text for Win32 error `error`, in the user's language and
// without its line end; the number alone when the system has no text.
std::wstring SystemMessage(DWORD error);

// Names `control` after the static label just before it, without the
// label's access-key mark: readers that do not look at labels take a list's
// or a tree's window text as its name. A control without such a label keeps
// its text.
void NameAfterLabel(HWND control);

// Gives `window` `icon` as both its small and its big icon.
void SetWindowIcons(HWND window, HICON icon);

}  // namespace kit
