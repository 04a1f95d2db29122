#include "pages/disk_cost/disk_cost_request.h"

#include <windows.h>

#include "framework/ini_file.h"
#include "pages/disk_cost/disk_cost_data.h"
#include "pages/disk_cost/disk_cost_dialog.h"
#include "pages/disk_cost/disk_cost_math.h"
#include "pages/disk_cost/drive_probe.h"
#include "kit/app.h"

namespace {

const wchar_t kDiskCostValue[] = L"DISKCOST_OS_PRODUCT";

kelvra::DriveSpace Requirement(wchar_t letter, int mib) {
  kelvra::DriveSpace requirement;
  requirement.name = kelvra::DriveNameOf(letter);
  requirement.required = kelvra::MiBToBytes(mib);
  return requirement;
}

}  // namespace

DiskCostSizes ReadDiskCostSizes(const std::wstring& section, const std::wstring& iniPath) {
  // One value holds both sizes.
  const std::wstring sizes = CIniFile().ReadString(section, kDiskCostValue, iniPath);
  return {kelvra::OsDiskCostMiB(sizes), kelvra::ProductDiskCostMiB(sizes)};
}

wchar_t GetSystemDriveLetter() {
  wchar_t expanded[MAX_PATH] = L"";
  ExpandEnvironmentStringsW(L"%SystemDrive%", expanded, MAX_PATH);
  return expanded[0];
}

void ShowDiskCost(HWND page, const std::wstring& section, const std::wstring& destination) {
  // A request, and nothing else, measures the drives: the first of the
  // process, or one after a round that found none to list. Nothing here
  // waits for them.
  kelvra::StartDriveProbe();
  kelvra::DiskCostData* data = &kelvra::DiskCostDataSoFar();
  data->requirements.clear();
  const DiskCostSizes sizes = ReadDiskCostSizes(section, CIniFile().DriverIniPath());
  data->requirements.push_back(Requirement(GetSystemDriveLetter(), sizes.os));
  data->requirements.push_back(
      Requirement(destination.empty() ? L'\0' : destination[0], sizes.product));

  CDiskCostDialog dialog(page, kit::ResourceHandle());
  dialog.DoModal();
}
