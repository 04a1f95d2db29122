#include "pages/destination/parent_folder.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(JoinParentFolder(stored, "F"), shown) << stored;
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
    EXPECT_EQ(ParentFolderOf(text), parent) << text;
  for (const auto& [picked, parent] :
       Cases{{"D:\\Work", "D:\\Work\\"}, {"D:\\", "D:\\"}, {"D:\\Work\\", "D:\\Work\\"}})
    EXPECT_EQ(PickedParentFolder(picked), parent) << picked;
}

TEST(ParentFolder, PlaceHoldersAreReplacedAsPlainText) {
  EXPECT_EQ(ReplacePlaceholders("Install %s into %s.", "Cofra"), "Install Cofra into Cofra.");
  EXPECT_EQ(ReplacePlaceholders("Install %s.", "100% %s %d"), "Install 100% %s %d.");
  EXPECT_EQ(ReplacePlaceholders("%%s, %d and 5%", "X"), "%X, %d and 5%");
  EXPECT_EQ(ReplacePlaceholders("%s%s", ""), "");
}

}  // namespace
}  // namespace kelvra
