#include "pages/server/engine_folders.h"

#include "framework/folder_path.h"

namespace kelvra {

std::wstring DefaultEngineFolder(const std::optional<std::wstring>& programFilesDir) {
  const std::wstring parent =
      programFilesDir ? RemoveTrailingBackslash(*programFilesDir) : L"C:\\Program Files";
  // JoinFolder keeps a drive root's own backslash as the separator.
  return JoinFolder(parent, L"Microsoft SQL Server");
}

EngineFolders ChooseEngineFolders(const std::wstring& defaultFolder,
                                  const std::optional<StoredEngineFolders>& stored) {
  EngineFolders folders{defaultFolder, defaultFolder, true};
  if (!stored) return folders;
  folders.useDefaultDataDir = stored->useDefaultDataDir != 0;
  if (!stored->programDir.empty() && !stored->dataDir.empty()) {
    folders.programDir = stored->programDir;
    folders.dataDir = stored->dataDir;
  }
  return folders;
}

}  // namespace kelvra
