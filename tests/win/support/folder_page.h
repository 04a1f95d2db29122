// The pages that ask for one folder (Ferrix, Cofra and Ulvo destinations),
// as a user sees them: what they show, a folder typed or picked, a button.
#pragma once

#include <optional>
#include <string>
#include <windows.h>

#include "tests/win/support/robot.h"

namespace test {

struct FolderPageSeen {
  int result = -1;
  std::string caption;
  std::string folder;       // the destination edit as the page opened
  std::string description;  // the description under the heading
};

// Opens the page of `exportName`, reads it, types `typed` into the
// destination edit when given, then presses `button`.
FolderPageSeen VisitFolderPage(const std::string& exportName, int button,
                               const std::optional<std::string>& typed = std::nullopt);

// Presses Browse on `page`, picks `folder` in the picker and closes it with
// OK; true when the picker showed the folder selected.
bool BrowseTo(const Ui& ui, HWND page, const std::string& folder);

// A folder of its own below C:\ for a test, removed again at its end.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace test
