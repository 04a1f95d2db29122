// The Disk Cost button of every destination page: the space the
// installation needs on the system drive and on the destination's drive,
// shown in the disk cost dialog.
#pragma once

#include <string>

#include <windows.h>

// MiB before / after the first ';' of DISKCOST_OS_PRODUCT in `section` of
// the INI file `iniPath`, by atoi's rules; 0 when there is no ';'.
int GetOSDiskCost(const std::wstring& section, const std::wstring& iniPath);
int GetProductDiskCost(const std::wstring& section, const std::wstring& iniPath);

// The first character of %SystemDrive%; '%' when it is not set.
wchar_t GetSystemDriveLetter();

// Replaces the requirements with the system drive's and the drive of
// `destination`, sizes from `section` of the driver INI, and shows the disk
// cost dialog, owned by `page`.
void ShowDiskCost(HWND page, const std::wstring& section, const std::wstring& destination);
