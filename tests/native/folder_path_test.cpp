#include "framework/folder_path.h"

#include <gtest/gtest.h>

namespace kelvra {
namespace {

TEST(FolderPath, RemoveTrailingBackslashKeepsRoots) {
  EXPECT_EQ(RemoveTrailingBackslash(L"\\"), L"\\");
  EXPECT_EQ(RemoveTrailingBackslash(L"C:\\"), L"C:\\");
  EXPECT_EQ(RemoveTrailingBackslash(L"z:\\"), L"z:\\");
  EXPECT_EQ(RemoveTrailingBackslash(L"C:"), L"C:");
  EXPECT_EQ(RemoveTrailingBackslash(L""), L"");
  EXPECT_EQ(RemoveTrailingBackslash(L"1:\\"),
            L"1:\\");  // the shell looks only at the colon
  EXPECT_EQ(RemoveTrailingBackslash(L"\\\\"), L"\\\\");
  EXPECT_EQ(RemoveTrailingBackslash(L"\\\\server\\"), L"\\\\server\\");
}

TEST(FolderPath, RemoveTrailingBackslashDropsExactlyOne) {
  EXPECT_EQ(RemoveTrailingBackslash(L"C:\\dir\\"), L"C:\\dir");
  EXPECT_EQ(RemoveTrailingBackslash(L"C:\\dir\\\\"), L"C:\\dir\\");
  EXPECT_EQ(RemoveTrailingBackslash(L"C:\\dir"), L"C:\\dir");
  EXPECT_EQ(RemoveTrailingBackslash(L"\\\\server\\share\\"), L"\\\\server\\share");
  EXPECT_EQ(RemoveTrailingBackslash(L"C:/dir/"), L"C:/dir/");
}

TEST(FolderPath, WithOneTrailingBackslash) {
  EXPECT_EQ(WithOneTrailingBackslash(L""), L"\\");
  EXPECT_EQ(WithOneTrailingBackslash(L"D:\\Apps\\Lumo 11\\"), L"D:\\Apps\\Lumo 11\\");
  EXPECT_EQ(WithOneTrailingBackslash(L"D:\\Apps\\Lumo 11"), L"D:\\Apps\\Lumo 11\\");
  EXPECT_EQ(WithOneTrailingBackslash(L"D:"), L"D:\\");
  // A root keeps its own backslash and gets no second one.
  EXPECT_EQ(WithOneTrailingBackslash(L"D:\\"), L"D:\\");
  EXPECT_EQ(WithOneTrailingBackslash(L"\\"), L"\\");
  EXPECT_EQ(WithOneTrailingBackslash(L"D:\\Apps\\\\"), L"D:\\Apps\\");
  // Found by fuzzing: three typed at the end stored two.
  EXPECT_EQ(WithOneTrailingBackslash(L"D:\\Apps\\\\\\"), L"D:\\Apps\\");
  EXPECT_EQ(WithOneTrailingBackslash(L"D:\\\\\\"), L"D:\\");
}

TEST(FolderPath, LastPathComponentUsesLaterSeparator) {
  EXPECT_EQ(LastPathComponent(L"C:\\Trel\\lumo.exe"), L"lumo.exe");
  EXPECT_EQ(LastPathComponent(L"C:/Trel/lumo.exe"), L"lumo.exe");
  EXPECT_EQ(LastPathComponent(L"C:\\Trel/bin\\lumo.exe"), L"lumo.exe");
  EXPECT_EQ(LastPathComponent(L"C:/Trel\\bin/lumo.exe"), L"lumo.exe");
  EXPECT_EQ(LastPathComponent(L"lumo.exe"), L"lumo.exe");
  EXPECT_EQ(LastPathComponent(L"C:\\Trel\\"), L"");
  EXPECT_EQ(LastPathComponent(L""), L"");
}

TEST(FolderPath, JoinFolder) {
  EXPECT_EQ(JoinFolder(L"C:\\Program Files", L"Lumo 11"), L"C:\\Program Files\\Lumo 11\\");
  EXPECT_EQ(JoinFolder(L"", L"Lumo 11"), L"\\Lumo 11\\");
  // A drive root's own backslash is the separator.
  EXPECT_EQ(JoinFolder(L"D:\\", L"Lumo 11"), L"D:\\Lumo 11\\");
}

// Letters of several scripts in one path, and U+015C and U+045C, whose low
// byte is 0x5C: none is a backslash, and every one stays whole.
TEST(FolderPath, TextOfAnyScriptStaysWhole) {
  const struct {
    std::wstring path, removed, withOne;
  } cases[] = {
      {L"D:\\表", L"D:\\表", L"D:\\表\\"},
      {L"D:\\表\\\\", L"D:\\表\\", L"D:\\表\\"},
      {L"C:\\Users\\Łukasz\\Έργα", L"C:\\Users\\Łukasz\\Έργα", L"C:\\Users\\Łukasz\\Έργα\\"},
      {L"\\\\表\\", L"\\\\表\\", L"\\\\表\\"},  // a server root
      {L"E:\\\u015C\u045C", L"E:\\\u015C\u045C", L"E:\\\u015C\u045C\\"},
      {L"D:\\\U00020B9F\\", L"D:\\\U00020B9F", L"D:\\\U00020B9F\\"},  // beyond U+FFFF
      {L"D:\\a\xD83D", L"D:\\a\xD83D", L"D:\\a\xD83D\\"},  // a pair cut after its first half
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(RemoveTrailingBackslash(c.path), c.removed);
    EXPECT_EQ(WithOneTrailingBackslash(c.path), c.withOne);
  }
  EXPECT_EQ(JoinFolder(L"D:\\表", L"Lumo"), L"D:\\表\\Lumo\\");
  EXPECT_EQ(LastPathComponent(L"C:\\Έργα\\a表\u015C\u045C"), L"a表\u015C\u045C");
}

}  // namespace
}  // namespace kelvra
