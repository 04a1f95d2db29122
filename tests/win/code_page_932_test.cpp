// Folders and feature lists in code page 932, where the second byte of a
// character can be 0x5C, the backslash (katakana SO is "\x83\x5C", the kanji
// HYOU "\x95\x5C"), or an ASCII letter. ctest runs these as the *_ja tests,
// under LC_ALL=ja_JP.UTF-8, from which Wine takes code page 932.
#include <gtest/gtest.h>

#include "resdll/kelvrares_ids.h"
#include "tests/win/support/folder_page.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/page_kit.h"

namespace {

class CodePage932Test : public test::SetupTest {
 protected:
  // Elsewhere they mean nothing: there the bytes are two characters. Under
  // the Japanese locale another code page fails the program (setup_test.cpp).
  void SetUp() override {
    SetupTest::SetUp();
    if (GetACP() != 932)
      GTEST_SKIP() << "needs code page 932 (LC_ALL=ja_JP.UTF-8, as in the *_ja tests); this is "
                   << GetACP();
  }
};

// Each row: what is stored before, what is typed (null: nothing), what the
// page shows, and what Next stores.
TEST_F(CodePage932Test, AFolderEndingInA5CTrailByteEndsInNoBackslash) {
  const std::string lumo = test::kOptionsKey + std::string("\\Lumo");
  const std::string cofra = test::kOptionsKey + std::string("\\CofraClient");
  const std::string ulvo = test::kOptionsKey + std::string("\\CofraServer");
  const std::string L = test::ResourceLibraryString(IDS_LUMO_FOLDER);
  const std::string F = test::ResourceLibraryString(IDS_FERRIX_FOLDER);
  const std::string C = test::ResourceLibraryString(IDS_COFRA_CLIENT_FOLDER);
  const std::string engine = "C:\\Program Files\\Microsoft SQL Server\\";
  const struct {
    const char* page;
    std::string key;  // the option key; "TARGETDIR" below it, or `value`
    const char *stored, *installProduct, *typed;
    std::string shown, storedAfter;
    const char* value;
  } cases[] = {
      {"InstallDestinationDlg", lumo, nullptr, "D:\\\x83\x5C", nullptr, "D:\\\x83\x5C\\" + L + "\\",
       "D:\\\x83\x5C\\" + L + "\\", "TARGETDIR"},
      {"InstallDestinationDlg", lumo, nullptr, nullptr, "E:\\\x95\x5C", "\\" + L + "\\",
       "E:\\\x95\x5C\\", "TARGETDIR"},
      {"FerrixDestinationDlg", test::kFerrixKey, "D:\\\x83\x5C\\", nullptr, nullptr,
       "D:\\\x83\x5C\\" + F, "D:\\\x83\x5C\\", "TARGETDIR"},
      {"FerrixDestinationDlg", test::kFerrixKey, "D:\\", nullptr, "E:\\Apps\\\x95\x5C", "D:\\" + F,
       "E:\\Apps\\", "TARGETDIR"},
      {"CofraDestinationDlg", cofra, "D:\\Clients\\", nullptr, "E:\\\x83\x5C\\Client",
       "D:\\Clients\\" + C, "E:\\\x83\x5C\\", "TARGETDIR"},
      {"UlvoDestinationDlg", ulvo, "E:\\\x83\x5C\\", nullptr, nullptr, "E:\\\x83\x5C\\",
       "E:\\\x83\x5C\\", "TARGETDIR"},
      {"UlvoDestinationDlg", ulvo, "E:\\Srv\\", nullptr, "E:\\Srv\\\x95\x5C", "E:\\Srv\\",
       "E:\\Srv\\", "TARGETDIR"},
      {"MsdeDestinationDlg", ulvo, nullptr, nullptr, "E:\\\x95\x5C", engine, "E:\\\x95\x5C\\",
       "_MSDEPATH"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.page) + " " + (c.typed ? c.typed : c.shown));
    ClearSetupTree();
    if (c.stored) test::RegSetString(c.key, "TARGETDIR", c.stored);
    if (c.installProduct)
      test::RegSetString(test::kInstallProductKey, "TARGETDIR", c.installProduct);
    const test::FolderPageSeen seen = test::VisitFolderPage(
        c.page, IDC_NEXT, c.typed ? std::optional<std::string>(c.typed) : std::nullopt);
    EXPECT_EQ(seen.result, KELVRA_NEXT);
    EXPECT_EQ(seen.folder, c.shown);
    EXPECT_EQ(test::RegGetString(c.key, c.value), c.storedAfter);
  }
}

// "\x83\x41" is one character whose second byte is 'A': a stored list
// holding it names no feature "ABC1".
TEST_F(CodePage932Test, AStoredFeatureListIsSearchedByCharacters) {
  const std::string lumo = test::kOptionsKey + std::string("\\Lumo");
  WriteOptionsIni(
      "[TREL_OPTIONS]\r\nFEATURE_SELECTION=lumo\r\n[LUMO]\r\n"
      "FEATURE1=Main;;Viewer;;1;0;1\r\nFEATURE2=ABC1;Main;Tools;;0;0;0\r\n"
      "FEATURE3=Pdf;Main;Manuals;;0;0;0\r\n");
  test::RegSetString(lumo, "FEATURE_ENABLED",
                     "x\x83"
                     "ABC1;Pdf");
  EXPECT_EQ(test::OpenPage("SelectFeatureDlg",
                           [](test::Ui& ui, HWND page) { ui.SendPressed(page, IDC_NEXT); }),
            KELVRA_NEXT);
  EXPECT_EQ(test::RegGetString(lumo, "FEATURE_ENABLED"), "Pdf");
}

}  // namespace
