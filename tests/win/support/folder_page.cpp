#include "tests/win/support/folder_page.h"

#include <shellapi.h>

#include "resdll/kelvrares_ids.h"
#include "tests/win/support/folder_picker.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/setup_test.h"

namespace test {

FolderPageSeen VisitFolderPage(const std::wstring& exportName, int button,
                               const std::optional<std::wstring>& typed) {
  FolderPageSeen seen;
  seen.result = OpenPage(exportName, [&](Ui& ui, HWND page) {
    seen.caption = WindowText(page);
    seen.folder = ui.Text(page, IDC_DESTINATION);
    seen.description = ui.Text(page, IDC_FOLDER_DESCRIPTION);
    if (typed) ui.SetText(page, IDC_DESTINATION, *typed);
    ui.Click(page, button);
  });
  return seen;
}

bool BrowseTo(const Ui& ui, HWND page, const std::wstring& folder) {
  ui.Click(page, IDC_BROWSE);
  HWND picker = ui.WaitForDialog(page);
  // The tree shows the shell's display name, which for a drive is not its path.
  SHFILEINFOW info{};
  SHGetFileInfoW(folder.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME);
  const bool picked = picker && SelectInPicker(picker, folder, info.szDisplayName);
  if (picker) ui.Click(picker, picked ? IDOK : IDCANCEL);
  ui.WaitUntilClosed(picker);
  return picked;
}

std::wstring DescriptionFor(const std::wstring& name) {
  std::wstring text = ResourceLibraryString(IDS_FOLDER_DESCRIPTION);
  for (size_t at = text.find(L"%s"); at != std::wstring::npos;
       at = text.find(L"%s", at + name.size()))
    text.replace(at, 2, name);
  return text;
}

}  // namespace test
