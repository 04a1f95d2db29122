#include "tests/win/support/folder_page.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include "resdll/kelvrares_ids.h"
#include "tests/win/support/folder_picker.h"
#include "tests/win/support/page_kit.h"

namespace test {
namespace {

// What the picker's tree calls a folder: the shell's display name, which
// for a drive root is not its path.
std::string TreeName(const std::string& folder) {
  SHFILEINFOA info{};
  if (!SHGetFileInfoA(folder.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME)) return folder;
  return info.szDisplayName;
}

}  // namespace

FolderPageSeen VisitFolderPage(const std::string& exportName, int button,
                               const std::optional<std::string>& typed) {
  FolderPageSeen seen;
  seen.result = OpenPage(exportName, [&](Ui& ui, HWND page) {
    char caption[512] = "";
    GetWindowTextA(page, caption, sizeof caption);
    seen.caption = caption;
    seen.folder = ui.Text(page, IDC_DESTINATION);
    seen.description = ui.Text(page, IDC_FOLDER_DESCRIPTION);
    if (typed) ui.SetText(page, IDC_DESTINATION, *typed);
    ui.Click(page, button);
  });
  return seen;
}

bool BrowseTo(const Ui& ui, HWND page, const std::string& folder) {
  ui.Click(page, IDC_BROWSE);
  HWND picker = ui.WaitForDialog(page);
  if (!picker) return false;
  const bool picked = SelectInPicker(picker, folder, TreeName(folder));
  ui.Click(picker, picked ? IDOK : IDCANCEL);
  ui.WaitUntilClosed(picker);
  return picked;
}

ScratchFolder::ScratchFolder(const std::string& name)
    : path_("C:\\kelvra_" + name + "_" + std::to_string(GetCurrentProcessId())) {
  EXPECT_TRUE(CreateDirectoryA(path_.c_str(), nullptr)) << path_;
}

ScratchFolder::~ScratchFolder() {
  RemoveDirectoryA(path_.c_str());
}

}  // namespace test
