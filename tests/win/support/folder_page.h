// The one-folder pages (Ferrix, Cofra and Ulvo destinations) as a user sees them.
#pragma once

#include <optional>
#include <string>
#include <windows.h>

#include "tests/win/support/robot.h"

namespace test {

struct FolderPageSeen {
  int result = -1;
  std::wstring caption, folder, description;  // as the page opened
};

// Opens the export's page, reads it, types `typed` when given, presses `button`.
FolderPageSeen VisitFolderPage(const std::wstring& exportName, int button,
                               const std::optional<std::wstring>& typed = std::nullopt);

// Browse, pick `folder` in the picker, OK; true when the picker showed it selected.
bool BrowseTo(const Ui& ui, HWND page, const std::wstring& folder);

// The folder description string with every place-holder replaced by `name`.
std::wstring DescriptionFor(const std::wstring& name);

}  // namespace test
