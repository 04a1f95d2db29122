// Text rules of the pages that keep a parent folder and show it joined with
// the product's folder name (Ferrix, Cofra and Ulvo destinations), and the
// fill of their description. Nothing here touches the file system; the
// backslash rules go by characters, as in framework/folder_path.h.
#pragma once

#include <string>

namespace kelvra {

// The folder shown for a stored parent: one trailing backslash removed, then
// the product folder joined with a separator when the parent as stored is
// longer than a drive root ("D:\Design\" gives "D:\Design\Ferrix"), directly
// otherwise ("D:\" gives "D:\Ferrix", "" gives "Ferrix"). Never two
// separators in a row.
std::wstring JoinParentFolder(const std::wstring& storedParent, const std::wstring& productFolder);

// The text up to and including its last backslash; empty without one. A run
// of trailing backslashes is stored as one.
std::wstring ParentFolderOf(const std::wstring& text);

// The parent a picked folder stands for: a backslash appended unless it is a
// drive root or already ends in one.
std::wstring PickedParentFolder(const std::wstring& picked);

// `folder` with a run of trailing backslashes cut to one; "\\" alone, the
// start of a network path, stays.
std::wstring WithoutDoubledBackslash(std::wstring folder);

// Every "%s" in `text` replaced by `name`, as plain text: no other
// directive is understood and nothing in `name` is interpreted.
std::wstring ReplacePlaceholders(const std::wstring& text, const std::wstring& name);

}  // namespace kelvra
