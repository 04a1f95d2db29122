// The folders' #include lines point one way: kit <- framework <- pages <- library,
// and no two page folders include each other.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kRoot = KELVRA_SOURCE_DIR;

struct Layer {
  std::string folder;
  std::vector<std::string> mayInclude;  // besides itself; each named by an earlier row
};

// Bottom up: a row may name only rows above it, so the table cannot hold a loop.
const std::vector<Layer> kLayers = {
    {"include/", {}},
    {"res/", {}},
    {"resdll/", {}},
    {"kit/", {}},
    {"framework/", {"kit/", "include/", "res/", "resdll/"}},
    {"features/", {"kit/", "framework/", "res/", "resdll/"}},
    {"pages/options/", {"kit/", "framework/", "res/", "resdll/"}},
    {"pages/disk_cost/", {"kit/", "framework/", "res/", "resdll/"}},
    {"pages/destination/", {"kit/", "framework/", "pages/disk_cost/", "res/", "resdll/"}},
    {"pages/server/",
     {"kit/", "framework/", "pages/disk_cost/", "pages/destination/", "res/", "resdll/"}},
    {"library/",
     {"kit/", "framework/", "features/", "pages/options/", "pages/disk_cost/", "pages/destination/",
      "pages/server/", "include/", "res/", "resdll/"}},
};

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// The row of the most specific folder holding `path`, or none.
const Layer* LayerOf(const std::string& path) {
  const Layer* found = nullptr;
  for (const Layer& layer : kLayers)
    if (StartsWith(path, layer.folder) && (!found || layer.folder.size() > found->folder.size()))
      found = &layer;
  return found;
}

std::vector<std::string> QuotedIncludes(const fs::path& file) {
  static const std::regex kInclude(R"(^\s*#\s*include\s*"([^"]+)\")");
  std::ifstream in(file);
  std::vector<std::string> includes;
  for (std::string line; std::getline(in, line);) {
    std::smatch m;
    if (std::regex_search(line, m, kInclude)) includes.push_back(m[1].str());
  }
  return includes;
}

TEST(IncludeLayers, TableNamesOnlyRowsBelow) {
  for (std::size_t row = 0; row < kLayers.size(); ++row)
    for (const std::string& below : kLayers[row].mayInclude) {
      const auto earlier = kLayers.begin() + static_cast<std::ptrdiff_t>(row);
      EXPECT_TRUE(std::any_of(kLayers.begin(), earlier,
                              [&](const Layer& layer) { return layer.folder == below; }))
          << kLayers[row].folder << " names " << below << ", which is not a row above it";
    }
}

TEST(IncludeLayers, NoIncludePointsUpOrAcross) {
  int includes = 0;
  for (const char* top : {"kit", "framework", "features", "pages", "library"})
    for (const auto& entry : fs::recursive_directory_iterator(kRoot / top)) {
      const std::string extension = entry.path().extension().string();
      if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
      const std::string path = fs::relative(entry.path(), kRoot).generic_string();
      const Layer* from = LayerOf(path);
      if (!from) {
        ADD_FAILURE() << path << " lies in a folder with no row";
        continue;
      }
      for (const std::string& target : QuotedIncludes(entry.path())) {
        ++includes;
        const Layer* to = LayerOf(target);
        const bool allowed =
            to && (to == from || std::find(from->mayInclude.begin(), from->mayInclude.end(),
                                           to->folder) != from->mayInclude.end());
        EXPECT_TRUE(allowed) << path << " includes " << target;
      }
    }
  // The scan itself: the sources hold far more includes than this.
  EXPECT_GE(includes, 200);
}

}  // namespace
