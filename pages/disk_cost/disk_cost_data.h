// The process-wide drive and requirement lists behind the disk cost dialog.
#pragma once

#include <vector>

#include "pages/disk_cost/drive_space.h"

namespace kelvra {

struct DiskCostData {
  // Fixed and network drives in letter order, each measured once per
  // process; past the deadline also those that have not answered.
  std::vector<DriveSpace> drives;
  // What the last Disk Cost request asked for; only name and required count.
  std::vector<DriveSpace> requirements;
};

struct DriveProbeView;

// The one instance of the process, its drives brought up to date with what
// has answered so far, or with `probe`, one read of it. Starts no measuring:
// that is a Disk Cost request's (StartDriveProbe).
DiskCostData& DiskCostDataSoFar();
DiskCostData& DiskCostDataSoFar(const DriveProbeView& probe);

}  // namespace kelvra
