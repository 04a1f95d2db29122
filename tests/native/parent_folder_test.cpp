#include "pages/destination/parent_folder.h"

#include <gtest/gtest.h>

#include "tests/native/code_pages.h"

#include <utility>

namespace kelvra {
namespace {

using Cases = std::initializer_list<std::pair<const char*, const char*>>;

TEST(ParentFolder, JoinUsesASeparatorOnlyBelowADriveRoot) {
  for (const auto& [stored, shown] : Cases{{"D:\\Design\\", "D:\\Design\\F"},
                                           {"D:\\Design", "D:\\Design\\F"},
                                           {"D:\\", "D:\\F"},
                                           {"D:", "D:F"},
                                           {"", "F"},
                                           {"abc", "abcF"},
                                           {"D:\\\\", "D:\\F"},
                                           {"\\\\srv\\", "\\\\srv\\F"}})
    EXPECT_EQ(JoinParentFolder(stored, "F", kSingleByte), shown) << stored;
}

TEST(ParentFolder, ParentIsTheTextUpToItsLastBackslashNeverDoubled) {
  for (const auto& [text, parent] : Cases{{"E:\\Apps\\Ferrix", "E:\\Apps\\"},
                                          {"E:\\Apps\\", "E:\\Apps\\"},
                                          {"D:\\Ferrix", "D:\\"},
                                          {"Ferrix", ""},
                                          {"E:\\Apps\\\\Ferrix", "E:\\Apps\\"},
                                          {"E:\\Apps\\\\\\", "E:\\Apps\\"},
                                          {"\\\\srv", "\\\\"},
                                          {"E:/Apps/Ferrix", ""}})
    EXPECT_EQ(ParentFolderOf(text, kSingleByte), parent) << text;
  for (const auto& [picked, parent] :
       Cases{{"D:\\Work", "D:\\Work\\"}, {"D:\\", "D:\\"}, {"D:\\Work\\", "D:\\Work\\"}})
    EXPECT_EQ(PickedParentFolder(picked, kSingleByte), parent) << picked;
}

// Code page 932: "\x83\x5C" and "\x95\x5C" end in 0x5C but are no backslash.
TEST(ParentFolder, DoubleByteCharactersAreNoSeparator) {
  for (const auto& [stored, shown] :
       Cases{{"D:\\\x83\x5C\\", "D:\\\x83\x5C\\F"}, {"D:\\\x83\x5C", "D:\\\x83\x5C\\F"}})
    EXPECT_EQ(JoinParentFolder(stored, "F", kCp932), shown) << stored;
  for (const auto& [text, parent] : Cases{{"E:\\Apps\\\x95\x5C", "E:\\Apps\\"},
                                          {"E:\\\x83\x5C\\Client", "E:\\\x83\x5C\\"},
                                          {"E:\\\x83\x5C\\\\", "E:\\\x83\x5C\\"},
                                          {"\x83\x5C", ""}})
    EXPECT_EQ(ParentFolderOf(text, kCp932), parent) << text;
  EXPECT_EQ(PickedParentFolder("D:\\\x95\x5C", kCp932), "D:\\\x95\x5C\\");
  EXPECT_EQ(ParentFolderOf("E:\\Apps\\\x95\x5C", kSingleByte), "E:\\Apps\\\x95\x5C");
}

TEST(ParentFolder, PlaceHoldersAreReplacedAsPlainText) {
  EXPECT_EQ(ReplacePlaceholders("Install %s into %s.", "Cofra"), "Install Cofra into Cofra.");
  EXPECT_EQ(ReplacePlaceholders("Install %s.", "100% %s %d"), "Install 100% %s %d.");
  EXPECT_EQ(ReplacePlaceholders("%%s, %d and 5%", "X"), "%X, %d and 5%");
  EXPECT_EQ(ReplacePlaceholders("%s%s", ""), "");
}

}  // namespace
}  // namespace kelvra
