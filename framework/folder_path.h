// Folder-path text rules used for destination folders. Backslash is the
// separator; nothing here touches the file system.
#pragma once

#include <string>

namespace kelvra {

// Drops one trailing backslash unless the path is a root ("\" or "X:\").
std::string RemoveTrailingBackslash(std::string path);
// RemoveTrailingBackslash, then exactly one "\" appended; a root such as
// "D:\" therefore becomes "D:\\". Stored destination values rely on this.
std::string WithOneTrailingBackslash(const std::string& path);
// Text after the last '\' or '/'; the whole name when it has neither.
std::string LastPathComponent(const std::string& name);
// parent + "\" + child + "\": the default destination folder.
std::string JoinFolder(const std::string& parent, const std::string& child);

}  // namespace kelvra
