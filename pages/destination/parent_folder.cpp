#include "pages/destination/parent_folder.h"

#include "framework/folder_path.h"

namespace kelvra {
namespace {

// "D:\" is three characters: anything longer is below a drive root.
constexpr std::string::size_type kDriveRootLength = 3;

bool EndsInBackslash(const std::string& text) {
  return !text.empty() && text.back() == '\\';
}

}  // namespace

std::string JoinParentFolder(const std::string& storedParent, const std::string& productFolder) {
  const std::string parent = RemoveTrailingBackslash(storedParent);
  // A parent that still ends in a backslash after the removal ("\\server\",
  // "D:\\") needs no second one.
  const bool separator = storedParent.size() > kDriveRootLength && !EndsInBackslash(parent);
  return separator ? parent + '\\' + productFolder : parent + productFolder;
}

std::string ParentFolderOf(const std::string& text) {
  const std::string::size_type last = text.rfind('\\');
  if (last == std::string::npos) return std::string();
  return WithoutDoubledBackslash(text.substr(0, last + 1));
}

std::string PickedParentFolder(const std::string& picked) {
  return picked.size() > kDriveRootLength ? WithBackslash(picked) : picked;
}

std::string WithoutDoubledBackslash(std::string folder) {
  while (folder.size() > 2 && folder.compare(folder.size() - 2, 2, "\\\\") == 0) folder.pop_back();
  return folder;
}

std::string ReplacePlaceholders(const std::string& text, const std::string& name) {
  std::string result;
  std::string::size_type start = 0;
  for (std::string::size_type found; (found = text.find("%s", start)) != std::string::npos;
       start = found + 2) {
    result.append(text, start, found - start).append(name);
  }
  return result.append(text, start, std::string::npos);
}

}  // namespace kelvra
