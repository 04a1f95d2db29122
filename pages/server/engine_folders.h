// The folders the MSDE destination page proposes for the database engine,
// worked out from the machine's program-files folder and from what an
// earlier Next stored. Text only: the page does the reading.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "framework/ansi_text.h"

namespace kelvra {

// Below the machine's program-files folder, ending in one backslash;
// below "C:\Program Files" when the machine-wide key cannot be read.
std::string DefaultEngineFolder(const std::optional<std::string>& programFilesDir,
                                LeadByteTest isLead);

// What an earlier Next left under the option key.
struct StoredEngineFolders {
  std::string programDir;
  std::string dataDir;
  uint32_t useDefaultDataDir = 0xFFFFFFFF;  // never written
};

struct EngineFolders {
  std::string programDir;
  std::string dataDir;
  bool useDefaultDataDir = true;
};

// `stored` is empty when the last visit ended in Cancel or nothing is
// stored. The stored pair counts only when both folders are there; the
// data-folder choice counts on its own.
EngineFolders ChooseEngineFolders(const std::string& defaultFolder,
                                  const std::optional<StoredEngineFolders>& stored);

}  // namespace kelvra
