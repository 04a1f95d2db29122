#include "pages/destination/parent_folder.h"

#include <algorithm>

#include "framework/folder_path.h"

namespace kelvra {
namespace {

// "D:\" is three bytes: anything longer is below a drive root.
constexpr std::string::size_type kDriveRootLength = 3;

}  // namespace

std::string JoinParentFolder(const std::string& storedParent, const std::string& productFolder,
                             LeadByteTest isLead) {
  const std::string parent = RemoveTrailingBackslash(storedParent, isLead);
  // A parent that still ends in a backslash after the removal ("\\server\",
  // "D:\\") needs no second one.
  const bool separator = storedParent.size() > kDriveRootLength && !EndsInBackslash(parent, isLead);
  return separator ? parent + '\\' + productFolder : parent + productFolder;
}

std::string ParentFolderOf(const std::string& text, LeadByteTest isLead) {
  const std::string::size_type last = FindLastCharacter(text, "\\", isLead);
  if (last == std::string::npos) return std::string();
  return WithoutDoubledBackslash(text.substr(0, last + 1), isLead);
}

std::string PickedParentFolder(const std::string& picked, LeadByteTest isLead) {
  return picked.size() > kDriveRootLength ? WithBackslash(picked, isLead) : picked;
}

std::string WithoutDoubledBackslash(std::string folder, LeadByteTest isLead) {
  // One of the run stays; so do both of a leading "\\".
  const std::string::size_type run = TrailingBackslashes(folder, isLead);
  if (run + 1 < folder.size()) folder.resize(std::max<std::string::size_type>(run + 1, 2));
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
