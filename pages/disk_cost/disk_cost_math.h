// Arithmetic and text rules behind the disk-cost page: the "os;product" MiB
// values from the driver INI, size formatting and per-drive totals.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pages/disk_cost/drive_space.h"

namespace kelvra {

// value is "os;product" in MiB, split at the first ';'. Without a ';' both are 0.
int OsDiskCostMiB(const std::wstring& value);
int ProductDiskCostMiB(const std::wstring& value);

int64_t MiBToBytes(int mib);

struct SizeUnits {
  std::wstring bytes, kilobytes, megabytes, gigabytes;
};

// Steps up a unit (>> 10) while the value needs more than 13 bits, stopping at
// gigabytes; "8191" + bytes, "8" + kilobytes. Negative values get a leading '-'.
std::wstring FormatSize(int64_t value, const SizeUnits& units);

// Recomputes required/remaining of every drive from its free space, so
// applying the same requirements twice gives the same result.
void ApplyRequirements(std::vector<DriveSpace>& drives,
                       const std::vector<DriveSpace>& requirements);

// Only a drive that answered can be known to be short.
bool IsShortOfSpace(const DriveSpace& drive);

// "C:" for 'C'. A NUL letter still gives a two-character name, matching no drive.
std::wstring DriveNameOf(wchar_t letter);

}  // namespace kelvra
