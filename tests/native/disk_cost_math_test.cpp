#include "pages/disk_cost/disk_cost_math.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace kelvra {
namespace {

TEST(DiskCost, SplitsAtFirstSemicolon) {
  struct Case {
    const wchar_t* value;
    int os, product;
  };
  const Case cases[] = {
      {L"1200;350", 1200, 350}, {L"500", 0, 0},   {L"", 0, 0},   {L";800", 0, 800},
      {L" 12;  -7x", 12, -7},   {L"1;2;3", 1, 2}, {L"7;", 7, 0}, {L";", 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OsDiskCostMiB(c.value), c.os) << c.value;
    EXPECT_EQ(ProductDiskCostMiB(c.value), c.product) << c.value;
  }
}

TEST(DiskCost, MiBToBytesIsSigned64Bit) {
  EXPECT_EQ(MiBToBytes(0), 0);
  EXPECT_EQ(MiBToBytes(-1), -1048576);
  EXPECT_EQ(MiBToBytes(4096), INT64_C(4294967296));
  EXPECT_EQ(MiBToBytes(INT_MAX), INT64_C(2147483647) * 1048576);
  EXPECT_EQ(MiBToBytes(INT_MIN), INT64_C(-2147483648) * 1048576);
}

class FormatSizeTest : public ::testing::Test {
 protected:
  std::wstring Format(int64_t value) { return FormatSize(value, {L" B", L" KB", L" MB", L" GB"}); }
};

TEST_F(FormatSizeTest, StepsUpAtThirteenBits) {
  EXPECT_EQ(Format(0), L"0 B");
  EXPECT_EQ(Format(8191), L"8191 B");
  EXPECT_EQ(Format(8192), L"8 KB");
  EXPECT_EQ(Format(INT64_C(8191) * 1024 + 1023), L"8191 KB");
  EXPECT_EQ(Format(INT64_C(8192) * 1024), L"8 MB");
  EXPECT_EQ(Format(INT64_C(1) << 30), L"1024 MB");
  EXPECT_EQ(Format(734003200), L"700 MB");
  EXPECT_EQ(Format(INT64_C(40) << 30), L"40 GB");
}

TEST_F(FormatSizeTest, StopsAtGigabytes) {
  EXPECT_EQ(Format(INT64_C(8192) << 30), L"8192 GB");
  EXPECT_EQ(Format(INT64_MAX), L"8589934591 GB");
}

TEST_F(FormatSizeTest, NegativeGetsLeadingMinus) {
  EXPECT_EQ(Format(-1), L"-1 B");
  EXPECT_EQ(Format(-8192), L"-8 KB");
  EXPECT_EQ(Format(-(INT64_C(40) << 30)), L"-40 GB");
  EXPECT_EQ(Format(INT64_MIN), L"-8589934592 GB");
}

TEST_F(FormatSizeTest, UnitTextFollowsImmediately) {
  EXPECT_EQ(FormatSize(8192, {L"b", L"k", L"m", L"g"}), L"8k");
  EXPECT_EQ(FormatSize(5, {L"", L"", L"", L""}), L"5");
}

DriveSpace Drive(const wchar_t* name, uint64_t free) {
  DriveSpace drive;
  drive.name = name;
  drive.free = free;
  drive.total = free * 2;
  return drive;
}

DriveSpace Requirement(const std::wstring& name, int mib) {
  DriveSpace requirement;
  requirement.name = name;
  requirement.required = MiBToBytes(mib);
  return requirement;
}

TEST(ApplyRequirements, SumsCaseBlindPerDrive) {
  std::vector<DriveSpace> drives = {Drive(L"C:", INT64_C(1) << 30), Drive(L"D:", 1000)};
  ApplyRequirements(drives, {Requirement(L"C:", 500), Requirement(L"c:", 200)});
  EXPECT_EQ(drives[0].required, 734003200);
  EXPECT_EQ(drives[0].remaining, (INT64_C(1) << 30) - 734003200);
  EXPECT_FALSE(IsShortOfSpace(drives[0]));
  EXPECT_EQ(drives[1].required, 0);
  EXPECT_EQ(drives[1].remaining, 1000);
}

TEST(ApplyRequirements, UnmatchedRequirementChangesNothing) {
  std::vector<DriveSpace> drives = {Drive(L"C:", 5000)};
  ApplyRequirements(drives, {Requirement(L"E:", 1), Requirement(DriveNameOf(L'\0'), 1)});
  EXPECT_EQ(drives[0].required, 0);
  EXPECT_EQ(drives[0].remaining, 5000);
}

TEST(ApplyRequirements, ShortOnlyBelowZero) {
  std::vector<DriveSpace> drives = {Drive(L"C:", 1048576), Drive(L"D:", 1048575)};
  ApplyRequirements(drives, {Requirement(L"C:", 1), Requirement(L"D:", 1)});
  EXPECT_EQ(drives[0].remaining, 0);
  EXPECT_FALSE(IsShortOfSpace(drives[0]));
  EXPECT_EQ(drives[1].remaining, -1);
  EXPECT_TRUE(IsShortOfSpace(drives[1]));

  // A drive that never answered has no free space to fall short of.
  drives[1].answered = false;
  EXPECT_FALSE(IsShortOfSpace(drives[1]));
}

TEST(ApplyRequirements, RecomputesFromFreeEachTime) {
  std::vector<DriveSpace> drives = {Drive(L"C:", INT64_C(1) << 30)};
  const std::vector<DriveSpace> requirements = {Requirement(L"C:", 300)};
  ApplyRequirements(drives, requirements);
  ApplyRequirements(drives, requirements);
  EXPECT_EQ(drives[0].required, MiBToBytes(300));
  EXPECT_EQ(drives[0].remaining, (INT64_C(1) << 30) - MiBToBytes(300));
}

TEST(DriveNameOf, AppendsColon) {
  EXPECT_EQ(DriveNameOf(L'C'), L"C:");
  EXPECT_EQ(DriveNameOf(L'c'), L"c:");
  const std::wstring nul = DriveNameOf(L'\0');
  EXPECT_EQ(nul.size(), 2u);
  EXPECT_EQ(nul[0], L'\0');
  EXPECT_EQ(nul[1], L':');
}

}  // namespace
}  // namespace kelvra
