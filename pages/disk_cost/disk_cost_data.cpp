#include "pages/disk_cost/disk_cost_data.h"

#include "pages/disk_cost/drive_probe.h"

namespace kelvra {
namespace {

// What was measured of each drive, not what a dialog last worked out on it.
bool SameMeasurements(const std::vector<DriveSpace>& a, const std::vector<DriveSpace>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].name != b[i].name || a[i].answered != b[i].answered || a[i].total != b[i].total ||
        a[i].free != b[i].free || a[i].isNetwork != b[i].isNetwork)
      return false;
  }
  return true;
}

}  // namespace

DiskCostData& DiskCostDataSoFar(const DriveProbeView& probe) {
  static DiskCostData data;
  // Replaced only when a drive answered since, so the records stay put.
  if (!SameMeasurements(probe.drives, data.drives)) data.drives = probe.drives;
  return data;
}

DiskCostData& DiskCostDataSoFar() {
  return DiskCostDataSoFar(ReadDriveProbe());
}

}  // namespace kelvra
