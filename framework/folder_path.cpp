#include "framework/folder_path.h"

namespace kelvra {
namespace {

// "\\server\": the server part of a network path, before any share.
bool IsServerRoot(const std::wstring& path) {
  return path.size() > 3 && path.compare(0, 2, L"\\\\") == 0 &&
         path.find(L'\\', 2) == path.size() - 1 && EndsInBackslash(path);
}

// The only place that decides what counts as a root; roots keep their
// backslash. Checked against the shell's own PathRemoveBackslashW.
bool IsRoot(const std::wstring& path) {
  return path == L"\\" || path == L"\\\\" ||
         (path.size() == 3 && path[1] == L':' && path[2] == L'\\') || IsServerRoot(path);
}

}  // namespace

bool EndsInBackslash(const std::wstring& text) {
  return !text.empty() && text.back() == L'\\';
}

std::wstring RemoveTrailingBackslash(std::wstring path) {
  if (EndsInBackslash(path) && !IsRoot(path)) path.pop_back();
  return path;
}

std::wstring WithOneTrailingBackslash(const std::wstring& path) {
  // Every backslash typed at the end goes, not just the last: a folder is
  // never stored ending in two.
  std::wstring trimmed = path;
  for (std::wstring shorter; (shorter = RemoveTrailingBackslash(trimmed)).size() < trimmed.size();)
    trimmed = shorter;
  return WithBackslash(trimmed);
}

std::wstring WithBackslash(const std::wstring& path) {
  // A root already ends in its own backslash; a second would make "D:\\".
  return EndsInBackslash(path) ? path : path + L'\\';
}

std::wstring LastPathComponent(const std::wstring& name) {
  const std::wstring::size_type separator = name.find_last_of(L"\\/");
  return separator == std::wstring::npos ? name : name.substr(separator + 1);
}

std::wstring JoinFolder(const std::wstring& parent, const std::wstring& child) {
  return WithBackslash(WithBackslash(parent) + child);
}

}  // namespace kelvra
