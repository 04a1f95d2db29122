#include "pages/destination/parent_folder.h"

#include <gtest/gtest.h>

namespace kelvra {
namespace {

struct Case {
  const char* in;
  const char* out;
};

TEST(ParentFolder, JoinUsesSeparatorOnlyBelowADriveRoot) {
  const Case cases[] = {
      {"D:\\Design\\", "D:\\Design\\Ferrix 11"},
      {"D:\\Design", "D:\\Design\\Ferrix 11"},
      {"D:\\", "D:\\Ferrix 11"},
      {"D:", "D:Ferrix 11"},
      {"", "Ferrix 11"},
      {"abc", "abcFerrix 11"},  // three characters: joined directly
      {"D:\\\\", "D:\\Ferrix 11"},
      {"\\\\srv\\", "\\\\srv\\Ferrix 11"},
      {"\\\\srv\\share\\", "\\\\srv\\share\\Ferrix 11"},
  };
  for (const Case& c : cases) EXPECT_EQ(JoinParentFolder(c.in, "Ferrix 11"), c.out) << c.in;
}

TEST(ParentFolder, ParentKeepsUpToTheLastBackslash) {
  const Case cases[] = {
      {"E:\\Apps\\Ferrix", "E:\\Apps\\"},
      {"E:\\Apps\\", "E:\\Apps\\"},
      {"D:\\Ferrix 11", "D:\\"},
      {"Ferrix", ""},
      {"", ""},
      {"E:\\Apps\\\\Ferrix", "E:\\Apps\\"},
      {"E:\\Apps\\\\\\", "E:\\Apps\\"},
      {"\\\\srv", "\\\\"},
      {"E:/Apps/Ferrix", ""},  // only a backslash separates
  };
  for (const Case& c : cases) EXPECT_EQ(ParentFolderOf(c.in), c.out) << c.in;
}

TEST(ParentFolder, ShownTextStoresBackWhatWasRead) {
  for (const char* stored : {"D:\\Design\\", "D:\\", "\\\\srv\\share\\", "C:\\Program Files\\"})
    EXPECT_EQ(ParentFolderOf(JoinParentFolder(stored, "Ferrix 11")), stored) << stored;
}

TEST(ParentFolder, PickedFolderGetsOneBackslashUnlessARoot) {
  const Case cases[] = {
      {"D:\\Work", "D:\\Work\\"},
      {"D:\\", "D:\\"},
      {"D:\\Work\\", "D:\\Work\\"},
      {"\\\\srv\\share", "\\\\srv\\share\\"},
  };
  for (const Case& c : cases) EXPECT_EQ(PickedParentFolder(c.in), c.out) << c.in;
}

TEST(ParentFolder, ReplacePlaceholdersIsPlainText) {
  const struct {
    const char* text;
    const char* name;
    const char* out;
  } cases[] = {
      {"Install %s into %s.", "Cofra", "Install Cofra into Cofra."},
      {"Install %s.", "100% Cofra %s %d", "Install 100% Cofra %s %d."},
      {"%%s and %d stay", "X", "%X and %d stay"},
      {"%s%s", "", ""},
      {"no place-holder", "X", "no place-holder"},
      {"trailing %", "X", "trailing %"},
  };
  for (const auto& c : cases) EXPECT_EQ(ReplacePlaceholders(c.text, c.name), c.out) << c.text;
}

}  // namespace
}  // namespace kelvra
