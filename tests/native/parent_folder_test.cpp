#include "pages/destination/parent_folder.h"

#include <gtest/gtest.h>

#include <utility>

namespace kelvra {
namespace {

// Rows in other scripts, and with U+015C and U+045C, whose low byte is that
// of a backslash, check that no character but the backslash parts a folder.
using Cases = std::initializer_list<std::pair<const wchar_t*, const wchar_t*>>;

TEST(ParentFolder, JoinUsesASeparatorOnlyBelowADriveRoot) {
  for (const auto& [stored, shown] : Cases{{L"D:\\Design\\", L"D:\\Design\\F"},
                                           {L"D:\\Design", L"D:\\Design\\F"},
                                           {L"D:\\", L"D:\\F"},
                                           {L"D:", L"D:F"},
                                           {L"", L"F"},
                                           {L"abc", L"abcF"},
                                           {L"D:\\\\", L"D:\\F"},
                                           {L"\\\\srv\\", L"\\\\srv\\F"},
                                           {L"D:\\表\\", L"D:\\表\\F"},
                                           {L"D:\\Έργα", L"D:\\Έργα\\F"},
                                           {L"D:\\\u045C", L"D:\\\u045C\\F"}})
    EXPECT_EQ(JoinParentFolder(stored, L"F"), shown) << stored;
}

TEST(ParentFolder, ParentIsTheTextUpToItsLastBackslashNeverDoubled) {
  for (const auto& [text, parent] : Cases{{L"E:\\Apps\\Ferrix", L"E:\\Apps\\"},
                                          {L"E:\\Apps\\", L"E:\\Apps\\"},
                                          {L"D:\\Ferrix", L"D:\\"},
                                          {L"Ferrix", L""},
                                          {L"E:\\Apps\\\\Ferrix", L"E:\\Apps\\"},
                                          {L"E:\\Apps\\\\\\", L"E:\\Apps\\"},
                                          {L"\\\\srv", L"\\\\"},
                                          {L"E:/Apps/Ferrix", L""},
                                          {L"E:\\Apps\\表", L"E:\\Apps\\"},
                                          {L"E:\\Łukasz\\Client", L"E:\\Łukasz\\"},
                                          {L"E:\\Έργα\\\\", L"E:\\Έργα\\"},
                                          {L"表", L""},
                                          {L"E:\\a\u015Cb\u045C", L"E:\\"}})
    EXPECT_EQ(ParentFolderOf(text), parent) << text;
  for (const auto& [picked, parent] : Cases{{L"D:\\Work", L"D:\\Work\\"},
                                            {L"D:\\", L"D:\\"},
                                            {L"D:\\Work\\", L"D:\\Work\\"},
                                            {L"D:\\表", L"D:\\表\\"}})
    EXPECT_EQ(PickedParentFolder(picked), parent) << picked;
}

TEST(ParentFolder, PlaceHoldersAreReplacedAsPlainText) {
  EXPECT_EQ(ReplacePlaceholders(L"Install %s into %s.", L"Cofra"), L"Install Cofra into Cofra.");
  EXPECT_EQ(ReplacePlaceholders(L"Install %s.", L"100% %s %d"), L"Install 100% %s %d.");
  EXPECT_EQ(ReplacePlaceholders(L"%%s, %d and 5%", L"X"), L"%X, %d and 5%");
  EXPECT_EQ(ReplacePlaceholders(L"%s%s", L""), L"");
}

}  // namespace
}  // namespace kelvra
