// The shell folder picker as a user sees it.
#pragma once

#include <string>
#include <windows.h>

namespace test {

// The name of the folder the picker's tree has selected.
std::wstring PickerSelectedName(HWND picker);
// The picker expands its tree to a selection in steps; true once `name` shows selected.
bool WaitForPickerSelection(HWND picker, const std::wstring& name);
// Selects `folder` in the picker, as clicking through the tree would, and
// waits until the tree shows `name` selected. Wine's picker may drop a
// selection while it is still expanding an earlier one; a user would click
// again, and so does this.
bool SelectInPicker(HWND picker, const std::wstring& folder, const std::wstring& name);

}  // namespace test
