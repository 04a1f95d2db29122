#include "pages/server/disk_cost_math.h"

#include <climits>

#include "framework/text_compare.h"

namespace kelvra {
namespace {

// isspace in the C locale, without depending on the current locale.
bool IsCBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Splits at the first ';'; false when there is none.
bool SplitCost(const std::string& value, std::string& os, std::string& product) {
  const std::string::size_type semicolon = value.find(';');
  if (semicolon == std::string::npos) return false;
  os = value.substr(0, semicolon);
  product = value.substr(semicolon + 1);
  return true;
}

std::string FormatMagnitude(uint64_t magnitude, const SizeUnits& units) {
  const std::string* const unitNames[] = {&units.bytes, &units.kilobytes, &units.megabytes,
                                          &units.gigabytes};
  constexpr std::size_t kLastUnit = 3;
  std::size_t unit = 0;
  while ((magnitude >> 13) != 0 && unit < kLastUnit) {
    magnitude >>= 10;
    ++unit;
  }
  return std::to_string(magnitude) + *unitNames[unit];
}

}  // namespace

int ParseLeadingInt(const std::string& text) {
  std::string::size_type i = 0;
  while (i < text.size() && IsCBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Accumulate the magnitude; INT_MIN's magnitude is one more than INT_MAX's.
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  long long magnitude = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude >= limit) {
      magnitude = limit;
      break;
    }
  }
  return static_cast<int>(negative ? -magnitude : magnitude);
}

int OsDiskCostMiB(const std::string& value) {
  std::string os, product;
  return SplitCost(value, os, product) ? ParseLeadingInt(os) : 0;
}

int ProductDiskCostMiB(const std::string& value) {
  std::string os, product;
  return SplitCost(value, os, product) ? ParseLeadingInt(product) : 0;
}

int64_t MiBToBytes(int mib) {
  return static_cast<int64_t>(mib) * 1048576;
}

std::string FormatSize(int64_t value, const SizeUnits& units) {
  if (value >= 0) return FormatMagnitude(static_cast<uint64_t>(value), units);
  // 0 - (uint64)value is the magnitude even for INT64_MIN.
  return "-" + FormatMagnitude(0 - static_cast<uint64_t>(value), units);
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

std::string DriveNameOf(char letter) {
  return std::string(1, letter) + ":";
}

}  // namespace kelvra
