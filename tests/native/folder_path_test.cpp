#include "framework/folder_path.h"

#include <gtest/gtest.h>

#include "tests/native/code_pages.h"

namespace kelvra {
namespace {

TEST(FolderPath, RemoveTrailingBackslashKeepsRoots) {
  EXPECT_EQ(RemoveTrailingBackslash("\\", kSingleByte), "\\");
  EXPECT_EQ(RemoveTrailingBackslash("C:\\", kSingleByte), "C:\\");
  EXPECT_EQ(RemoveTrailingBackslash("z:\\", kSingleByte), "z:\\");
  EXPECT_EQ(RemoveTrailingBackslash("C:", kSingleByte), "C:");
  EXPECT_EQ(RemoveTrailingBackslash("", kSingleByte), "");
  EXPECT_EQ(RemoveTrailingBackslash("1:\\", kSingleByte),
            "1:\\");  // the shell looks only at the colon
  EXPECT_EQ(RemoveTrailingBackslash("\\\\", kSingleByte), "\\\\");
  EXPECT_EQ(RemoveTrailingBackslash("\\\\server\\", kSingleByte), "\\\\server\\");
}

TEST(FolderPath, RemoveTrailingBackslashDropsExactlyOne) {
  EXPECT_EQ(RemoveTrailingBackslash("C:\\dir\\", kSingleByte), "C:\\dir");
  EXPECT_EQ(RemoveTrailingBackslash("C:\\dir\\\\", kSingleByte), "C:\\dir\\");
  EXPECT_EQ(RemoveTrailingBackslash("C:\\dir", kSingleByte), "C:\\dir");
  EXPECT_EQ(RemoveTrailingBackslash("\\\\server\\share\\", kSingleByte), "\\\\server\\share");
  EXPECT_EQ(RemoveTrailingBackslash("C:/dir/", kSingleByte), "C:/dir/");
}

TEST(FolderPath, WithOneTrailingBackslash) {
  EXPECT_EQ(WithOneTrailingBackslash("", kSingleByte), "\\");
  EXPECT_EQ(WithOneTrailingBackslash("D:\\Apps\\Lumo 11\\", kSingleByte), "D:\\Apps\\Lumo 11\\");
  EXPECT_EQ(WithOneTrailingBackslash("D:\\Apps\\Lumo 11", kSingleByte), "D:\\Apps\\Lumo 11\\");
  EXPECT_EQ(WithOneTrailingBackslash("D:", kSingleByte), "D:\\");
  // A root keeps its own backslash and gets no second one.
  EXPECT_EQ(WithOneTrailingBackslash("D:\\", kSingleByte), "D:\\");
  EXPECT_EQ(WithOneTrailingBackslash("\\", kSingleByte), "\\");
  EXPECT_EQ(WithOneTrailingBackslash("D:\\Apps\\\\", kSingleByte), "D:\\Apps\\");
  // Found by fuzzing: three typed at the end stored two.
  EXPECT_EQ(WithOneTrailingBackslash("D:\\Apps\\\\\\", kSingleByte), "D:\\Apps\\");
  EXPECT_EQ(WithOneTrailingBackslash("D:\\\\\\", kSingleByte), "D:\\");
}

TEST(FolderPath, LastPathComponentUsesLaterSeparator) {
  EXPECT_EQ(LastPathComponent("C:\\Trel\\lumo.exe", kSingleByte), "lumo.exe");
  EXPECT_EQ(LastPathComponent("C:/Trel/lumo.exe", kSingleByte), "lumo.exe");
  EXPECT_EQ(LastPathComponent("C:\\Trel/bin\\lumo.exe", kSingleByte), "lumo.exe");
  EXPECT_EQ(LastPathComponent("C:/Trel\\bin/lumo.exe", kSingleByte), "lumo.exe");
  EXPECT_EQ(LastPathComponent("lumo.exe", kSingleByte), "lumo.exe");
  EXPECT_EQ(LastPathComponent("C:\\Trel\\", kSingleByte), "");
  EXPECT_EQ(LastPathComponent("", kSingleByte), "");
}

TEST(FolderPath, JoinFolder) {
  EXPECT_EQ(JoinFolder("C:\\Program Files", "Lumo 11", kSingleByte),
            "C:\\Program Files\\Lumo 11\\");
  EXPECT_EQ(JoinFolder("", "Lumo 11", kSingleByte), "\\Lumo 11\\");
  // A drive root's own backslash is the separator.
  EXPECT_EQ(JoinFolder("D:\\", "Lumo 11", kSingleByte), "D:\\Lumo 11\\");
}

// In code page 932 "\x83\x5C" and "\x95\x5C" are one character each, not a
// byte and a backslash; in a single-byte code page they are two.
TEST(FolderPath, DoubleByteCharactersKeepTheirSecondByte) {
  const char* const kSo = "\x83\x5C";
  const struct {
    std::string path, removed, withOne;
  } cases[] = {
      {std::string("D:\\") + kSo, std::string("D:\\") + kSo, std::string("D:\\") + kSo + "\\"},
      {std::string("D:\\") + kSo + "\\\\", std::string("D:\\") + kSo + "\\",
       std::string("D:\\") + kSo + "\\"},
      {"E:\\\x95\x5C", "E:\\\x95\x5C", "E:\\\x95\x5C\\"},
      {std::string("\\\\") + kSo + "\\", std::string("\\\\") + kSo + "\\",
       std::string("\\\\") + kSo + "\\"},         // a server root
      {"D:\\a\x83", "D:\\a\x83", "D:\\a\x83\\"},  // a lead byte that ends the text
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(RemoveTrailingBackslash(c.path, kCp932), c.removed);
    EXPECT_EQ(WithOneTrailingBackslash(c.path, kCp932), c.withOne);
  }
  EXPECT_EQ(RemoveTrailingBackslash(std::string("D:\\") + kSo, kSingleByte), "D:\\\x83");
  EXPECT_EQ(JoinFolder(std::string("D:\\") + kSo, "Lumo", kCp932),
            std::string("D:\\") + kSo + "\\Lumo\\");
  EXPECT_EQ(LastPathComponent(std::string("C:\\a") + kSo, kCp932), std::string("a") + kSo);
}

}  // namespace
}  // namespace kelvra
