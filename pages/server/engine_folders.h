// The folders the MSDE destination page proposes for the database engine,
// worked out from the machine's program-files folder and from what an
// earlier Next stored. Text only: the page does the reading.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kelvra {

// Below the machine's program-files folder, ending in one backslash;
// below "C:\Program Files" when the machine-wide key cannot be read.
std::wstring DefaultEngineFolder(const std::optional<std::wstring>& programFilesDir);

// What an earlier Next left under the option key.
struct StoredEngineFolders {
  std::wstring programDir;
  std::wstring dataDir;
  uint32_t useDefaultDataDir = 0xFFFFFFFF;  // never written
};

struct EngineFolders {
  std::wstring programDir;
  std::wstring dataDir;
  bool useDefaultDataDir = true;
};

// `stored` is empty when the last visit ended in Cancel or nothing is
// stored. The stored pair counts only when both folders are there; the
// data-folder choice counts on its own.
EngineFolders ChooseEngineFolders(const std::wstring& defaultFolder,
                                  const std::optional<StoredEngineFolders>& stored);

}  // namespace kelvra
