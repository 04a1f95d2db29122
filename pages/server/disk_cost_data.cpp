#include "pages/server/disk_cost_data.h"

#include <windows.h>

#include "pages/server/disk_cost_math.h"

namespace kelvra {
namespace {

// No "insert a disk" box for an empty removable drive while measuring.
class QuietDriveErrors {
 public:
  QuietDriveErrors() { SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous_); }
  ~QuietDriveErrors() { SetThreadErrorMode(previous_, nullptr); }
  QuietDriveErrors(const QuietDriveErrors&) = delete;
  QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

 private:
  DWORD previous_ = 0;
};

// False for a drive that is not listed: unmeasurable, empty, or neither
// fixed nor on the network.
bool MeasureDrive(char letter, DriveSpace* drive) {
  const std::string name = DriveNameOf(letter);
  ULARGE_INTEGER freeToCaller{}, total{};
  if (!GetDiskFreeSpaceExA(name.c_str(), &freeToCaller, &total, nullptr) || total.QuadPart == 0)
    return false;
  const UINT type = GetDriveTypeA(name.c_str());
  if (type != DRIVE_FIXED && type != DRIVE_REMOTE) return false;
  drive->total = total.QuadPart;
  drive->free = freeToCaller.QuadPart;
  drive->required = 0;
  drive->remaining = static_cast<int64_t>(freeToCaller.QuadPart);
  drive->isNetwork = type == DRIVE_REMOTE ? 1 : 0;
  drive->name = name;
  return true;
}

// The fixed and network drives A: to Z: with their size and free space.
std::vector<DriveSpace> MeasureDrives() {
  QuietDriveErrors quiet;
  std::vector<DriveSpace> drives;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    DriveSpace drive;
    if (MeasureDrive(letter, &drive)) drives.push_back(drive);
  }
  return drives;
}

}  // namespace

DiskCostData& GetDiskCostData() {
  static DiskCostData data;
  if (data.drives.empty()) data.drives = MeasureDrives();
  return data;
}

}  // namespace kelvra
