#include "framework/folder_path.h"

namespace kelvra {
namespace {

// "\\server\": the server part of a network path, before any share.
bool IsServerRoot(const std::string& path) {
  return path.size() > 3 && path.compare(0, 2, "\\\\") == 0 &&
         path.find('\\', 2) == path.size() - 1;
}

// The only place that decides what counts as a root; roots keep their
// backslash. Checked against the shell's own PathRemoveBackslashA.
bool IsRoot(const std::string& path) {
  return path == "\\" || path == "\\\\" ||
         (path.size() == 3 && path[1] == ':' && path[2] == '\\') || IsServerRoot(path);
}

}  // namespace

std::string RemoveTrailingBackslash(std::string path) {
  if (!path.empty() && path.back() == '\\' && !IsRoot(path)) path.pop_back();
  return path;
}

std::string WithOneTrailingBackslash(const std::string& path) {
  // Every backslash typed at the end goes, not just the last: a folder is
  // never stored ending in two.
  std::string trimmed = path;
  for (std::string shorter; (shorter = RemoveTrailingBackslash(trimmed)).size() < trimmed.size();)
    trimmed = shorter;
  return WithBackslash(trimmed);
}

std::string WithBackslash(const std::string& path) {
  // A root already ends in its own backslash; a second would make "D:\\".
  return !path.empty() && path.back() == '\\' ? path : path + '\\';
}

std::string LastPathComponent(const std::string& name) {
  const std::string::size_type separator = name.find_last_of("\\/");
  return separator == std::string::npos ? name : name.substr(separator + 1);
}

std::string JoinFolder(const std::string& parent, const std::string& child) {
  return WithBackslash(WithBackslash(parent) + child);
}

}  // namespace kelvra
