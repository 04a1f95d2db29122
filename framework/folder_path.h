// Folder-path text rules used for destination folders. Backslash is the
// separator; nothing here touches the file system.
#pragma once

#include <string>

namespace kelvra {

// Drops one trailing backslash unless the path is a root ("\" or "X:\").
std::string RemoveTrailingBackslash(std::string path);
// RemoveTrailingBackslash as long as it removes one, then one "\" appended:
// the form destinations are stored in. A root keeps its own and gets no
// second one ("D:\" stays).
std::string WithOneTrailingBackslash(const std::string& path);
// `path` ending in a backslash: one is appended unless it ends in one already.
std::string WithBackslash(const std::string& path);
// Text after the last '\' or '/'; the whole name when it has neither.
std::string LastPathComponent(const std::string& name);
// parent + "\" + child + "\", without doubling a backslash the parent
// already ends in (a drive root): the default destination folder.
std::string JoinFolder(const std::string& parent, const std::string& child);

}  // namespace kelvra
