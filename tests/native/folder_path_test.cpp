#include "framework/folder_path.h"

#include <gtest/gtest.h>

namespace kelvra {
namespace {

TEST(FolderPath, RemoveTrailingBackslashKeepsRoots) {
  EXPECT_EQ(RemoveTrailingBackslash("\\"), "\\");
  EXPECT_EQ(RemoveTrailingBackslash("C:\\"), "C:\\");
  EXPECT_EQ(RemoveTrailingBackslash("z:\\"), "z:\\");
  EXPECT_EQ(RemoveTrailingBackslash("C:"), "C:");
  EXPECT_EQ(RemoveTrailingBackslash(""), "");
  EXPECT_EQ(RemoveTrailingBackslash("1:\\"), "1:\\");  // the shell looks only at the colon
  EXPECT_EQ(RemoveTrailingBackslash("\\\\"), "\\\\");
  EXPECT_EQ(RemoveTrailingBackslash("\\\\server\\"), "\\\\server\\");
}

TEST(FolderPath, RemoveTrailingBackslashDropsExactlyOne) {
  EXPECT_EQ(RemoveTrailingBackslash("C:\\dir\\"), "C:\\dir");
  EXPECT_EQ(RemoveTrailingBackslash("C:\\dir\\\\"), "C:\\dir\\");
  EXPECT_EQ(RemoveTrailingBackslash("C:\\dir"), "C:\\dir");
  EXPECT_EQ(RemoveTrailingBackslash("\\\\server\\share\\"), "\\\\server\\share");
  EXPECT_EQ(RemoveTrailingBackslash("C:/dir/"), "C:/dir/");
}

TEST(FolderPath, WithOneTrailingBackslash) {
  EXPECT_EQ(WithOneTrailingBackslash(""), "\\");
  EXPECT_EQ(WithOneTrailingBackslash("D:\\Apps\\Lumo 11\\"), "D:\\Apps\\Lumo 11\\");
  EXPECT_EQ(WithOneTrailingBackslash("D:\\Apps\\Lumo 11"), "D:\\Apps\\Lumo 11\\");
  EXPECT_EQ(WithOneTrailingBackslash("D:"), "D:\\");
  // A root keeps its own backslash and gets no second one.
  EXPECT_EQ(WithOneTrailingBackslash("D:\\"), "D:\\");
  EXPECT_EQ(WithOneTrailingBackslash("\\"), "\\");
  EXPECT_EQ(WithOneTrailingBackslash("D:\\Apps\\\\"), "D:\\Apps\\");
  // Found by fuzzing: three typed at the end stored two.
  EXPECT_EQ(WithOneTrailingBackslash("D:\\Apps\\\\\\"), "D:\\Apps\\");
  EXPECT_EQ(WithOneTrailingBackslash("D:\\\\\\"), "D:\\");
}

TEST(FolderPath, LastPathComponentUsesLaterSeparator) {
  EXPECT_EQ(LastPathComponent("C:\\Trel\\lumo.exe"), "lumo.exe");
  EXPECT_EQ(LastPathComponent("C:/Trel/lumo.exe"), "lumo.exe");
  EXPECT_EQ(LastPathComponent("C:\\Trel/bin\\lumo.exe"), "lumo.exe");
  EXPECT_EQ(LastPathComponent("C:/Trel\\bin/lumo.exe"), "lumo.exe");
  EXPECT_EQ(LastPathComponent("lumo.exe"), "lumo.exe");
  EXPECT_EQ(LastPathComponent("C:\\Trel\\"), "");
  EXPECT_EQ(LastPathComponent(""), "");
}

TEST(FolderPath, JoinFolder) {
  EXPECT_EQ(JoinFolder("C:\\Program Files", "Lumo 11"), "C:\\Program Files\\Lumo 11\\");
  EXPECT_EQ(JoinFolder("", "Lumo 11"), "\\Lumo 11\\");
  // A drive root's own backslash is the separator.
  EXPECT_EQ(JoinFolder("D:\\", "Lumo 11"), "D:\\Lumo 11\\");
}

}  // namespace
}  // namespace kelvra
