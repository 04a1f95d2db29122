#include "framework/folder_path.h"

namespace kelvra {
namespace {

// "\\server\": the server part of a network path, before any share.
bool IsServerRoot(const std::string& path, LeadByteTest isLead) {
  return path.size() > 3 && path.compare(0, 2, "\\\\") == 0 &&
         FindLastCharacter(path.substr(2, path.size() - 3), "\\", isLead) == std::string::npos &&
         EndsInBackslash(path, isLead);
}

// The only place that decides what counts as a root; roots keep their
// backslash. Checked against the shell's own PathRemoveBackslashA.
bool IsRoot(const std::string& path, LeadByteTest isLead) {
  return path == "\\" || path == "\\\\" ||
         (path.size() == 3 && path[1] == ':' && path[2] == '\\') || IsServerRoot(path, isLead);
}

}  // namespace

bool EndsInBackslash(const std::string& text, LeadByteTest isLead) {
  return TrailingBackslashes(text, isLead) < text.size();
}

std::string RemoveTrailingBackslash(std::string path, LeadByteTest isLead) {
  if (EndsInBackslash(path, isLead) && !IsRoot(path, isLead)) path.pop_back();
  return path;
}

std::string WithOneTrailingBackslash(const std::string& path, LeadByteTest isLead) {
  // Every backslash typed at the end goes, not just the last: a folder is
  // never stored ending in two.
  std::string trimmed = path;
  for (std::string shorter;
       (shorter = RemoveTrailingBackslash(trimmed, isLead)).size() < trimmed.size();)
    trimmed = shorter;
  return WithBackslash(trimmed, isLead);
}

std::string WithBackslash(const std::string& path, LeadByteTest isLead) {
  // A root already ends in its own backslash; a second would make "D:\\".
  return EndsInBackslash(path, isLead) ? path : path + '\\';
}

std::string LastPathComponent(const std::string& name, LeadByteTest isLead) {
  const std::string::size_type separator = FindLastCharacter(name, "\\/", isLead);
  return separator == std::string::npos ? name : name.substr(separator + 1);
}

std::string JoinFolder(const std::string& parent, const std::string& child, LeadByteTest isLead) {
  return WithBackslash(WithBackslash(parent, isLead) + child, isLead);
}

}  // namespace kelvra
