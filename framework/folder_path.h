// Folder-path text rules used for destination folders. Backslash is the
// separator; nothing here touches the file system. The text is UTF-16, so a
// backslash is always a character of its own.
#pragma once

#include <string>

namespace kelvra {

// Drops one trailing backslash unless the path is a root ("\" or "X:\").
std::wstring RemoveTrailingBackslash(std::wstring path);
// RemoveTrailingBackslash as long as it removes one, then one "\" appended:
// the form destinations are stored in. A root keeps its own and gets no
// second one ("D:\" stays).
std::wstring WithOneTrailingBackslash(const std::wstring& path);
// `path` ending in a backslash: one is appended unless it ends in one already.
std::wstring WithBackslash(const std::wstring& path);
// True when the last character of `text` is a backslash.
bool EndsInBackslash(const std::wstring& text);
// Text after the last '\' or '/'; the whole name when it has neither.
std::wstring LastPathComponent(const std::wstring& name);
// parent + "\" + child + "\", without doubling a backslash the parent
// already ends in (a drive root): the default destination folder.
std::wstring JoinFolder(const std::wstring& parent, const std::wstring& child);

}  // namespace kelvra
