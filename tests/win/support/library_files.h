// The libraries beside the test program, as a setup driver would have them.
#pragma once

#include <string>
#include <windows.h>

namespace test {

// Calls an export of the real Kelvra.dll beside this program, or of the
// copy in `folder`.
int CallExport(const wchar_t* name, const std::wstring& folder = std::wstring());

// String `id` of the Kelvrares.dll beside this program, read directly.
std::wstring ResourceLibraryString(UINT id);

// Takes Kelvrares.dll away from beside the test program for its lifetime,
// optionally putting another file in its place; puts it back afterwards.
class ResourceLibraryAside {
 public:
  explicit ResourceLibraryAside(const std::wstring& replacement = std::wstring());
  ~ResourceLibraryAside();
  ResourceLibraryAside(const ResourceLibraryAside&) = delete;
  ResourceLibraryAside& operator=(const ResourceLibraryAside&) = delete;

 private:
  std::wstring path_;
  std::wstring aside_;
};

// True when the image a module handle (plain or resource-only) pointed to
// is no longer mapped there.
bool IsUnmapped(HMODULE module);

}  // namespace test
