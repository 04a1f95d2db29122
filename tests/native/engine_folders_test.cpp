#include "pages/server/engine_folders.h"

#include <gtest/gtest.h>

namespace kelvra {
namespace {

TEST(EngineFolders, DefaultSitsBelowProgramFiles) {
  const struct {
    std::optional<std::wstring> programFiles;
    const wchar_t* folder;
  } cases[] = {
      {std::nullopt, L"C:\\Program Files\\Microsoft SQL Server\\"},
      {L"C:\\Program Files", L"C:\\Program Files\\Microsoft SQL Server\\"},
      {L"C:\\Program Files\\", L"C:\\Program Files\\Microsoft SQL Server\\"},
      {L"", L"\\Microsoft SQL Server\\"},        // key there, value missing
      {L"D:\\", L"D:\\Microsoft SQL Server\\"},  // no doubled backslash after a root
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.programFiles.value_or(L"(no key)"));
    EXPECT_EQ(DefaultEngineFolder(c.programFiles), c.folder);
  }
}

TEST(EngineFolders, StoredPairReplacesTheDefaultsOnlyWhenComplete) {
  const std::wstring def = L"C:\\PF\\Microsoft SQL Server\\";
  const struct {
    const char* name;
    std::optional<StoredEngineFolders> stored;
    EngineFolders shown;
  } cases[] = {
      {"nothing stored", std::nullopt, {def, def, true}},
      {"both stored",
       StoredEngineFolders{L"E:\\Sql\\", L"F:\\Data\\", 0},
       {L"E:\\Sql\\", L"F:\\Data\\", false}},
      {"no data folder", StoredEngineFolders{L"E:\\Sql\\", L"", 0}, {def, def, false}},
      {"no program folder", StoredEngineFolders{L"", L"F:\\Data\\", 1}, {def, def, true}},
      {"choice never written",
       StoredEngineFolders{L"E:\\Sql\\", L"F:\\Data\\"},
       {L"E:\\Sql\\", L"F:\\Data\\", true}},
      {"any other number ticks", StoredEngineFolders{L"", L"", 7}, {def, def, true}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const EngineFolders shown = ChooseEngineFolders(def, c.stored);
    EXPECT_EQ(shown.programDir, c.shown.programDir);
    EXPECT_EQ(shown.dataDir, c.shown.dataDir);
    EXPECT_EQ(shown.useDefaultDataDir, c.shown.useDefaultDataDir);
  }
}

}  // namespace
}  // namespace kelvra
