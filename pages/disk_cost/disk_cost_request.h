// The Disk Cost button of every destination page: the space the
// installation needs on the system drive and on the destination's drive,
// shown in the disk cost dialog.
#pragma once

#include <string>

#include <windows.h>

// The first character of %SystemDrive%; '%' when it is not set.
wchar_t GetSystemDriveLetter();

// MiB before and after the first ';' of DISKCOST_OS_PRODUCT in `section` of
// the INI file `iniPath`, by atoi's rules; 0 for the product when there is
// no ';'.
struct DiskCostSizes {
  int os;
  int product;
};
DiskCostSizes ReadDiskCostSizes(const std::wstring& section, const std::wstring& iniPath);

// Replaces the requirements with the system drive's and the drive of
// `destination`, sizes from `section` of the driver INI, and shows the disk
// cost dialog, owned by `page`.
void ShowDiskCost(HWND page, const std::wstring& section, const std::wstring& destination);
