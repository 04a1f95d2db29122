// Folder-path text rules used for destination folders. Backslash is the
// separator; nothing here touches the file system. Every rule goes by
// characters of the code page `isLead` describes, as the shell's own path
// functions do, so a folder ending in a character whose second byte is 0x5C
// does not end in a backslash.
#pragma once

#include <string>

#include "framework/ansi_text.h"

namespace kelvra {

// Drops one trailing backslash unless the path is a root ("\" or "X:\").
std::string RemoveTrailingBackslash(std::string path, LeadByteTest isLead);
// RemoveTrailingBackslash as long as it removes one, then one "\" appended:
// the form destinations are stored in. A root keeps its own and gets no
// second one ("D:\" stays).
std::string WithOneTrailingBackslash(const std::string& path, LeadByteTest isLead);
// `path` ending in a backslash: one is appended unless it ends in one already.
std::string WithBackslash(const std::string& path, LeadByteTest isLead);
// True when the last character of `text` is a backslash.
bool EndsInBackslash(const std::string& text, LeadByteTest isLead);
// Text after the last '\' or '/'; the whole name when it has neither.
std::string LastPathComponent(const std::string& name, LeadByteTest isLead);
// parent + "\" + child + "\", without doubling a backslash the parent
// already ends in (a drive root): the default destination folder.
std::string JoinFolder(const std::string& parent, const std::string& child, LeadByteTest isLead);

}  // namespace kelvra
