#include "tests/win/support/library_files.h"

#include <gtest/gtest.h>

#include "kit/scoped_handle.h"
#include "include/kelvra.h"
#include "kit/text_format.h"
#include "tests/win/support/setup_test.h"

namespace test {

int CallExport(const wchar_t* name, const std::wstring& folder) {
  const std::wstring path = (folder.empty() ? ProgramFolder() : folder) + L"\\Kelvra.dll";
  const kit::ScopedModule library(LoadLibraryW(path.c_str()));
  EXPECT_TRUE(library);
  if (!library) return -100;
  KelvraPageFunction page = GetKelvraPage(library.get(), kit::Ascii(name).c_str());
  EXPECT_NE(page, nullptr) << name;
  return page ? page() : -100;
}

std::wstring ResourceLibraryString(UINT id) {
  const std::wstring path = ProgramFolder() + L"\\Kelvrares.dll";
  const kit::ScopedModule library(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  EXPECT_TRUE(library) << path;
  wchar_t text[4096] = L"";
  const int length = library ? LoadStringW(library.get(), id, text, std::size(text)) : 0;
  EXPECT_GT(length, 0) << L"string " << id;
  return std::wstring(text, length > 0 ? length : 0);
}

ResourceLibraryAside::ResourceLibraryAside(const std::wstring& replacement)
    : path_(ProgramFolder() + L"\\Kelvrares.dll"), aside_(path_ + L".aside") {
  EXPECT_TRUE(MoveFileExW(path_.c_str(), aside_.c_str(), MOVEFILE_REPLACE_EXISTING));
  if (!replacement.empty()) {
    EXPECT_TRUE(CopyFileW(replacement.c_str(), path_.c_str(), FALSE));
  }
}

ResourceLibraryAside::~ResourceLibraryAside() {
  DeleteFileW(path_.c_str());
  MoveFileExW(aside_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING);
}

bool IsUnmapped(HMODULE module) {
  // Resource-only handles carry flags in their low bits.
  const auto base = reinterpret_cast<ULONG_PTR>(module) & ~static_cast<ULONG_PTR>(3);
  MEMORY_BASIC_INFORMATION info{};
  if (!VirtualQuery(reinterpret_cast<void*>(base), &info, sizeof info)) return true;
  // Wine keeps the address range reserved after the view is gone.
  return info.State != MEM_COMMIT || info.AllocationBase != reinterpret_cast<void*>(base);
}

}  // namespace test
