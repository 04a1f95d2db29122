#include "pages/server/disk_cost_request.h"

#include <windows.h>

#include "framework/ini_file.h"
#include "pages/server/disk_cost_data.h"
#include "pages/server/disk_cost_dialog.h"
#include "pages/server/disk_cost_math.h"
#include "kit/app.h"

namespace {

const char kDiskCostValue[] = "DISKCOST_OS_PRODUCT";

std::string ReadDiskCost(const std::string& section, const std::string& iniPath) {
  return CIniFile().ReadString(section, kDiskCostValue, iniPath);
}

kelvra::DriveSpace Requirement(char letter, int mib) {
  kelvra::DriveSpace requirement;
  requirement.name = kelvra::DriveNameOf(letter);
  requirement.required = kelvra::MiBToBytes(mib);
  return requirement;
}

}  // namespace

int GetOSDiskCost(const std::string& section, const std::string& iniPath) {
  return kelvra::OsDiskCostMiB(ReadDiskCost(section, iniPath));
}

int GetProductDiskCost(const std::string& section, const std::string& iniPath) {
  return kelvra::ProductDiskCostMiB(ReadDiskCost(section, iniPath));
}

char GetSystemDriveLetter() {
  char expanded[MAX_PATH] = "";
  ExpandEnvironmentStringsA("%SystemDrive%", expanded, MAX_PATH);
  return expanded[0];
}

void ShowDiskCost(HWND page, const std::string& section, const std::string& destination) {
  // The first request of the process starts measuring the drives; nothing
  // here waits for them.
  kelvra::DiskCostData* data = &kelvra::GetDiskCostData();
  data->requirements.clear();
  const std::string iniPath = CIniFile().DriverIniPath();
  data->requirements.push_back(
      Requirement(GetSystemDriveLetter(), GetOSDiskCost(section, iniPath)));
  data->requirements.push_back(Requirement(destination.empty() ? '\0' : destination[0],
                                           GetProductDiskCost(section, iniPath)));

  CDiskCostDialog dialog(page, kit::ResourceHandle());
  dialog.DoModal();
}
