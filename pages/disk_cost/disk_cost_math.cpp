#include "pages/disk_cost/disk_cost_math.h"

#include "framework/number_text.h"
#include "framework/text_compare.h"

namespace kelvra {
namespace {

// Splits at the first ';'; false when there is none.
bool SplitCost(const std::wstring& value, std::wstring& os, std::wstring& product) {
  const std::wstring::size_type semicolon = value.find(L';');
  if (semicolon == std::wstring::npos) return false;
  os = value.substr(0, semicolon);
  product = value.substr(semicolon + 1);
  return true;
}

std::wstring FormatMagnitude(uint64_t magnitude, const SizeUnits& units) {
  const std::wstring* const unitNames[] = {&units.bytes, &units.kilobytes, &units.megabytes,
                                           &units.gigabytes};
  constexpr std::size_t kLastUnit = 3;
  std::size_t unit = 0;
  while ((magnitude >> 13) != 0 && unit < kLastUnit) {
    magnitude >>= 10;
    ++unit;
  }
  return std::to_wstring(magnitude) + *unitNames[unit];
}

}  // namespace

int OsDiskCostMiB(const std::wstring& value) {
  std::wstring os, product;
  return SplitCost(value, os, product) ? ParseLeadingInt(os) : 0;
}

int ProductDiskCostMiB(const std::wstring& value) {
  std::wstring os, product;
  return SplitCost(value, os, product) ? ParseLeadingInt(product) : 0;
}

int64_t MiBToBytes(int mib) {
  return static_cast<int64_t>(mib) * 1048576;
}

std::wstring FormatSize(int64_t value, const SizeUnits& units) {
  if (value >= 0) return FormatMagnitude(static_cast<uint64_t>(value), units);
  // 0 - (uint64)value is the magnitude even for INT64_MIN.
  return L"-" + FormatMagnitude(0 - static_cast<uint64_t>(value), units);
}

void ApplyRequirements(std::vector<DriveSpace>& drives,
                       const std::vector<DriveSpace>& requirements) {
  for (DriveSpace& drive : drives) {
    drive.required = 0;
    drive.remaining = static_cast<int64_t>(drive.free);
    for (const DriveSpace& requirement : requirements) {
      if (!EqualsNoCase(requirement.name, drive.name)) continue;
      drive.required += requirement.required;
      drive.remaining -= requirement.required;
    }
  }
}

bool IsShortOfSpace(const DriveSpace& drive) {
  return drive.answered && drive.remaining < 0;
}

std::wstring DriveNameOf(wchar_t letter) {
  return std::wstring(1, letter) + L":";
}

}  // namespace kelvra
