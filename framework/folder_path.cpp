#include "framework/folder_path.h"

namespace kelvra {
namespace {

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The only place that decides what counts as a root; roots keep their backslash.
bool IsRoot(const std::string& path) {
  return path == "\\" ||
         (path.size() == 3 && IsAsciiLetter(path[0]) && path[1] == ':' && path[2] == '\\');
}

}  // namespace

std::string RemoveTrailingBackslash(std::string path) {
  if (!path.empty() && path.back() == '\\' && !IsRoot(path)) path.pop_back();
  return path;
}

std::string WithOneTrailingBackslash(const std::string& path) {
  return RemoveTrailingBackslash(path) + '\\';
}

std::string LastPathComponent(const std::string& name) {
  const std::string::size_type separator = name.find_last_of("\\/");
  return separator == std::string::npos ? name : name.substr(separator + 1);
}

std::string JoinFolder(const std::string& parent, const std::string& child) {
  return parent + '\\' + child + '\\';
}

}  // namespace kelvra
