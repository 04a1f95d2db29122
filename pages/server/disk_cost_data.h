// The process-wide drive and requirement lists behind the disk cost dialog.
#pragma once

#include <vector>

#include "pages/server/drive_space.h"

namespace kelvra {

struct DiskCostData {
  // Fixed and network drives in letter order, measured once per process.
  std::vector<DriveSpace> drives;
  // What the last Disk Cost request asked for; only name and required count.
  std::vector<DriveSpace> requirements;
};

// The one instance of the process. While its drive list is empty the drives
// are measured first, so a machine without qualifying drives is asked again.
DiskCostData& GetDiskCostData();

}  // namespace kelvra
