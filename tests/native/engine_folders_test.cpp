#include "pages/server/engine_folders.h"

#include <gtest/gtest.h>

#include "tests/native/code_pages.h"

namespace kelvra {
namespace {

TEST(EngineFolders, DefaultSitsBelowProgramFiles) {
  const struct {
    std::optional<std::string> programFiles;
    const char* folder;
  } cases[] = {
      {std::nullopt, "C:\\Program Files\\Microsoft SQL Server\\"},
      {"C:\\Program Files", "C:\\Program Files\\Microsoft SQL Server\\"},
      {"C:\\Program Files\\", "C:\\Program Files\\Microsoft SQL Server\\"},
      {"", "\\Microsoft SQL Server\\"},        // key there, value missing
      {"D:\\", "D:\\Microsoft SQL Server\\"},  // no doubled backslash after a root
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.programFiles.value_or("(no key)"));
    EXPECT_EQ(DefaultEngineFolder(c.programFiles, kSingleByte), c.folder);
  }
}

TEST(EngineFolders, StoredPairReplacesTheDefaultsOnlyWhenComplete) {
  const std::string def = "C:\\PF\\Microsoft SQL Server\\";
  const struct {
    const char* name;
    std::optional<StoredEngineFolders> stored;
    EngineFolders shown;
  } cases[] = {
      {"nothing stored", std::nullopt, {def, def, true}},
      {"both stored",
       StoredEngineFolders{"E:\\Sql\\", "F:\\Data\\", 0},
       {"E:\\Sql\\", "F:\\Data\\", false}},
      {"no data folder", StoredEngineFolders{"E:\\Sql\\", "", 0}, {def, def, false}},
      {"no program folder", StoredEngineFolders{"", "F:\\Data\\", 1}, {def, def, true}},
      {"choice never written",
       StoredEngineFolders{"E:\\Sql\\", "F:\\Data\\"},
       {"E:\\Sql\\", "F:\\Data\\", true}},
      {"any other number ticks", StoredEngineFolders{"", "", 7}, {def, def, true}},
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
