#include "pages/server/engine_folders.h"

#include "framework/folder_path.h"

namespace kelvra {

std::string DefaultEngineFolder(const std::optional<std::string>& programFilesDir,
                                LeadByteTest isLead) {
  const std::string parent =
      programFilesDir ? RemoveTrailingBackslash(*programFilesDir, isLead) : "C:\\Program Files";
  // JoinFolder keeps a drive root's own backslash as the separator.
  return JoinFolder(parent, "Microsoft SQL Server", isLead);
}

EngineFolders ChooseEngineFolders(const std::string& defaultFolder,
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
