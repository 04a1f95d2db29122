#include "tests/win/support/library_files.h"

#include <gtest/gtest.h>

#include "kit/scoped_handle.h"
#include "include/kelvra.h"
#include "tests/win/support/setup_test.h"

namespace test {

int CallExport(const char* name, const std::string& folder) {
  const std::string path = (folder.empty() ? ProgramFolder() : folder) + "\\Kelvra.dll";
  const kit::ScopedModule library(LoadLibraryA(path.c_str()));
  EXPECT_TRUE(library);
  if (!library) return -100;
  KelvraPageFunction page = GetKelvraPage(library.get(), name);
  EXPECT_NE(page, nullptr) << name;
  return page ? page() : -100;
}

std::string ResourceLibraryString(UINT id) {
  const std::string path = ProgramFolder() + "\\Kelvrares.dll";
  const kit::ScopedModule library(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  EXPECT_TRUE(library) << path;
  char text[4096] = "";
  const int length = library ? LoadStringA(library.get(), id, text, sizeof text) : 0;
  EXPECT_GT(length, 0) << "string " << id;
  return std::string(text, length > 0 ? length : 0);
}

ResourceLibraryAside::ResourceLibraryAside(const std::string& replacement)
    : path_(ProgramFolder() + "\\Kelvrares.dll"), aside_(path_ + ".aside") {
  EXPECT_TRUE(MoveFileExA(path_.c_str(), aside_.c_str(), MOVEFILE_REPLACE_EXISTING));
  if (!replacement.empty()) {
    EXPECT_TRUE(CopyFileA(replacement.c_str(), path_.c_str(), FALSE));
  }
}

ResourceLibraryAside::~ResourceLibraryAside() {
  DeleteFileA(path_.c_str());
  MoveFileExA(aside_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING);
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
