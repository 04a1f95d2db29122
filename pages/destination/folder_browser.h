// The shell folder picker behind every Browse button.
#pragma once

#include <string>
#include <windows.h>
#include <shlobj.h>

// Shows the picker under `owner`, opened on `*path`, with `title` above the
// tree; the root is the network when `networkRoot` is set, else the desktop.
// True when a folder was picked: `*path` then holds it. False on cancel or
// failure, with `*path` unchanged.
bool BrowseForFolder(HWND owner, std::wstring* path, const std::wstring& title, bool networkRoot);

// Writes the file-system folder of `picked` into `buffer` (MAX_PATH characters);
// a shortcut gives the folder it points to. False, with `buffer` empty, for
// an item without a file-system path.
bool ResolvePickedFolder(LPCITEMIDLIST picked, wchar_t* buffer);
