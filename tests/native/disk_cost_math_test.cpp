#include "pages/server/disk_cost_math.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace kelvra {
namespace {

TEST(ParseLeadingInt, FollowsAtoiRules) {
  EXPECT_EQ(ParseLeadingInt("42"), 42);
  EXPECT_EQ(ParseLeadingInt(" \t\n\v\f\r-17abc"), -17);
  EXPECT_EQ(ParseLeadingInt("+8"), 8);
  EXPECT_EQ(ParseLeadingInt("007"), 7);
  EXPECT_EQ(ParseLeadingInt(""), 0);
  EXPECT_EQ(ParseLeadingInt("x12"), 0);
  EXPECT_EQ(ParseLeadingInt("-"), 0);
  EXPECT_EQ(ParseLeadingInt("- 5"), 0);
  EXPECT_EQ(ParseLeadingInt("+-5"), 0);
  EXPECT_EQ(ParseLeadingInt("12 34"), 12);
}

TEST(ParseLeadingInt, SaturatesInsteadOfOverflowing) {
  EXPECT_EQ(ParseLeadingInt("2147483647"), INT_MAX);
  EXPECT_EQ(ParseLeadingInt("2147483648"), INT_MAX);
  EXPECT_EQ(ParseLeadingInt("99999999999999999999999999"), INT_MAX);
  EXPECT_EQ(ParseLeadingInt("-2147483648"), INT_MIN);
  EXPECT_EQ(ParseLeadingInt("-2147483649"), INT_MIN);
  EXPECT_EQ(ParseLeadingInt("-2147483647"), -2147483647);
  EXPECT_EQ(ParseLeadingInt("-99999999999999999999999999"), INT_MIN);
}

TEST(DiskCost, SplitsAtFirstSemicolon) {
  struct Case {
    const char* value;
    int os, product;
  };
  const Case cases[] = {
      {"1200;350", 1200, 350}, {"500", 0, 0},   {"", 0, 0},   {";800", 0, 800},
      {" 12;  -7x", 12, -7},   {"1;2;3", 1, 2}, {"7;", 7, 0}, {";", 0, 0},
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
  std::string Format(int64_t value) { return FormatSize(value, {" B", " KB", " MB", " GB"}); }
};

TEST_F(FormatSizeTest, StepsUpAtThirteenBits) {
  EXPECT_EQ(Format(0), "0 B");
  EXPECT_EQ(Format(8191), "8191 B");
  EXPECT_EQ(Format(8192), "8 KB");
  EXPECT_EQ(Format(INT64_C(8191) * 1024 + 1023), "8191 KB");
  EXPECT_EQ(Format(INT64_C(8192) * 1024), "8 MB");
  EXPECT_EQ(Format(INT64_C(1) << 30), "1024 MB");
  EXPECT_EQ(Format(734003200), "700 MB");
  EXPECT_EQ(Format(INT64_C(40) << 30), "40 GB");
}

TEST_F(FormatSizeTest, StopsAtGigabytes) {
  EXPECT_EQ(Format(INT64_C(8192) << 30), "8192 GB");
  EXPECT_EQ(Format(INT64_MAX), "8589934591 GB");
}

TEST_F(FormatSizeTest, NegativeGetsLeadingMinus) {
  EXPECT_EQ(Format(-1), "-1 B");
  EXPECT_EQ(Format(-8192), "-8 KB");
  EXPECT_EQ(Format(-(INT64_C(40) << 30)), "-40 GB");
  EXPECT_EQ(Format(INT64_MIN), "-8589934592 GB");
}

TEST_F(FormatSizeTest, UnitTextFollowsImmediately) {
  EXPECT_EQ(FormatSize(8192, {"b", "k", "m", "g"}), "8k");
  EXPECT_EQ(FormatSize(5, {"", "", "", ""}), "5");
}

DriveSpace Drive(const char* name, uint64_t free) {
  DriveSpace drive;
  drive.name = name;
  drive.free = free;
  drive.total = free * 2;
  return drive;
}

DriveSpace Requirement(const std::string& name, int mib) {
  DriveSpace requirement;
  requirement.name = name;
  requirement.required = MiBToBytes(mib);
  return requirement;
}

TEST(ApplyRequirements, SumsCaseBlindPerDrive) {
  std::vector<DriveSpace> drives = {Drive("C:", INT64_C(1) << 30), Drive("D:", 1000)};
  ApplyRequirements(drives, {Requirement("C:", 500), Requirement("c:", 200)});
  EXPECT_EQ(drives[0].required, 734003200);
  EXPECT_EQ(drives[0].remaining, (INT64_C(1) << 30) - 734003200);
  EXPECT_FALSE(IsShortOfSpace(drives[0]));
  EXPECT_EQ(drives[1].required, 0);
  EXPECT_EQ(drives[1].remaining, 1000);
}

TEST(ApplyRequirements, UnmatchedRequirementChangesNothing) {
  std::vector<DriveSpace> drives = {Drive("C:", 5000)};
  ApplyRequirements(drives, {Requirement("E:", 1), Requirement(DriveNameOf('\0'), 1)});
  EXPECT_EQ(drives[0].required, 0);
  EXPECT_EQ(drives[0].remaining, 5000);
}

TEST(ApplyRequirements, ShortOnlyBelowZero) {
  std::vector<DriveSpace> drives = {Drive("C:", 1048576), Drive("D:", 1048575)};
  ApplyRequirements(drives, {Requirement("C:", 1), Requirement("D:", 1)});
  EXPECT_EQ(drives[0].remaining, 0);
  EXPECT_FALSE(IsShortOfSpace(drives[0]));
  EXPECT_EQ(drives[1].remaining, -1);
  EXPECT_TRUE(IsShortOfSpace(drives[1]));

  // A drive that never answered has no free space to fall short of.
  drives[1].answered = false;
  EXPECT_FALSE(IsShortOfSpace(drives[1]));
}

TEST(ApplyRequirements, RecomputesFromFreeEachTime) {
  std::vector<DriveSpace> drives = {Drive("C:", INT64_C(1) << 30)};
  const std::vector<DriveSpace> requirements = {Requirement("C:", 300)};
  ApplyRequirements(drives, requirements);
  ApplyRequirements(drives, requirements);
  EXPECT_EQ(drives[0].required, MiBToBytes(300));
  EXPECT_EQ(drives[0].remaining, (INT64_C(1) << 30) - MiBToBytes(300));
}

TEST(DriveNameOf, AppendsColon) {
  EXPECT_EQ(DriveNameOf('C'), "C:");
  EXPECT_EQ(DriveNameOf('c'), "c:");
  const std::string nul = DriveNameOf('\0');
  EXPECT_EQ(nul.size(), 2u);
  EXPECT_EQ(nul[0], '\0');
  EXPECT_EQ(nul[1], ':');
}

}  // namespace
}  // namespace kelvra
