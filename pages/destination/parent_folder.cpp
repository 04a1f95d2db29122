#include "pages/destination/parent_folder.h"

#include <algorithm>

#include "framework/folder_path.h"

namespace kelvra {
namespace {

// "D:\" is three characters: anything longer is below a drive root.
constexpr std::wstring::size_type kDriveRootLength = 3;

}  // namespace

std::wstring JoinParentFolder(const std::wstring& storedParent, const std::wstring& productFolder) {
  const std::wstring parent = RemoveTrailingBackslash(storedParent);
  // A parent that still ends in a backslash after the removal ("\\server\",
  // "D:\\") needs no second one.
  const bool separator = storedParent.size() > kDriveRootLength && !EndsInBackslash(parent);
  return separator ? parent + L'\\' + productFolder : parent + productFolder;
}

std::wstring ParentFolderOf(const std::wstring& text) {
  const std::wstring::size_type last = text.rfind(L'\\');
  if (last == std::wstring::npos) return std::wstring();
  return WithoutDoubledBackslash(text.substr(0, last + 1));
}

std::wstring PickedParentFolder(const std::wstring& picked) {
  return picked.size() > kDriveRootLength ? WithBackslash(picked) : picked;
}

std::wstring WithoutDoubledBackslash(std::wstring folder) {
  // One of the run stays; so do both of a leading "\\".
  const std::wstring::size_type run = folder.find_last_not_of(L'\\') + 1;
  if (run + 1 < folder.size()) folder.resize(std::max<std::wstring::size_type>(run + 1, 2));
  return folder;
}

std::wstring ReplacePlaceholders(const std::wstring& text, const std::wstring& name) {
  std::wstring result;
  std::wstring::size_type start = 0;
  for (std::wstring::size_type found; (found = text.find(L"%s", start)) != std::wstring::npos;
       start = found + 2) {
    result.append(text, start, found - start).append(name);
  }
  return result.append(text, start, std::wstring::npos);
}

}  // namespace kelvra
