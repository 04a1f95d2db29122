// Folders and feature names outside the ANSI code page: Greek and Polish
// letters, which code page 1252 lacks, and the Japanese characters whose
// code-page-932 second byte is the backslash (katakana SO U+30BD, the kanji
// HYOU U+8868). The pages keep them whole from the registry, the INI files
// and the edit to the registry. ctest runs them once more as the *_ja
// tests, under LC_ALL=ja_JP.UTF-8, from which Wine takes code page 932.
#include <gtest/gtest.h>

#include "resdll/kelvrares_ids.h"
#include "tests/win/support/folder_page.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/setup_test.h"

namespace {

class TextOutsideTheCodePage : public test::SetupTest {};

const std::wstring kGreek = L"E:\\\u0388\u03c1\u03b3\u03b1";   // E:\Έργα
const std::wstring kFamily = L"C:\\Users\\\u0141ukasz\\Apps";  // C:\Users\Łukasz\Apps
const std::wstring kSo = L"\u30BD", kHyou = L"\u8868";

// Each row: what is stored before, what is typed (null: nothing), what the
// page shows, and what Next stores.
TEST_F(TextOutsideTheCodePage, FoldersAreShownAndStoredWhole) {
  const std::wstring lumo = test::kOptionsKey + std::wstring(L"\\Lumo");
  const std::wstring cofra = test::kOptionsKey + std::wstring(L"\\CofraClient");
  const std::wstring ulvo = test::kOptionsKey + std::wstring(L"\\CofraServer");
  const std::wstring L = test::ResourceLibraryString(IDS_LUMO_FOLDER);
  const std::wstring F = test::ResourceLibraryString(IDS_FERRIX_FOLDER);
  const std::wstring C = test::ResourceLibraryString(IDS_COFRA_CLIENT_FOLDER);
  const std::wstring engine = L"C:\\Program Files\\Microsoft SQL Server\\";
  const std::wstring so = L"D:\\" + kSo, hyou = L"E:\\" + kHyou;
  const std::wstring family = kFamily + L"\\", greek = kGreek + L"\\";
  const struct {
    const wchar_t* page;
    std::wstring key;  // the option key; "TARGETDIR" below it, or `value`
    std::optional<std::wstring> stored, installProduct, typed;
    std::wstring shown, storedAfter;
    const wchar_t* value;
  } cases[] = {
      {L"InstallDestinationDlg",
       lumo,
       {},
       so,
       {},
       so + L"\\" + L + L"\\",
       so + L"\\" + L + L"\\",
       L"TARGETDIR"},
      {L"InstallDestinationDlg", lumo, {}, {}, hyou, L"\\" + L + L"\\", hyou + L"\\", L"TARGETDIR"},
      {L"InstallDestinationDlg", lumo, {}, {}, kGreek, L"\\" + L + L"\\", greek, L"TARGETDIR"},
      {L"InstallDestinationDlg",
       lumo,
       {},
       kFamily,
       {},
       family + L + L"\\",
       family + L + L"\\",
       L"TARGETDIR"},
      // Stored by an earlier Next: shown and stored again as it was.
      {L"InstallDestinationDlg", lumo, family, {}, {}, family, family, L"TARGETDIR"},
      {L"FerrixDestinationDlg",
       test::kFerrixKey,
       so + L"\\",
       {},
       {},
       so + L"\\" + F,
       so + L"\\",
       L"TARGETDIR"},
      {L"FerrixDestinationDlg", test::kFerrixKey, family, {}, {}, family + F, family, L"TARGETDIR"},
      {L"FerrixDestinationDlg",
       test::kFerrixKey,
       L"D:\\",
       {},
       L"E:\\Apps\\" + kHyou,
       L"D:\\" + F,
       L"E:\\Apps\\",
       L"TARGETDIR"},
      {L"CofraDestinationDlg",
       cofra,
       L"D:\\Clients\\",
       {},
       so + L"\\Client",
       L"D:\\Clients\\" + C,
       so + L"\\",
       L"TARGETDIR"},
      {L"CofraDestinationDlg", cofra, greek, {}, {}, greek + C, greek, L"TARGETDIR"},
      {L"UlvoDestinationDlg",
       ulvo,
       L"E:\\" + kSo + L"\\",
       {},
       {},
       L"E:\\" + kSo + L"\\",
       L"E:\\" + kSo + L"\\",
       L"TARGETDIR"},
      {L"UlvoDestinationDlg", ulvo, greek, {}, {}, greek, greek, L"TARGETDIR"},
      {L"UlvoDestinationDlg",
       ulvo,
       L"E:\\Srv\\",
       {},
       L"E:\\Srv\\" + kHyou,
       L"E:\\Srv\\",
       L"E:\\Srv\\",
       L"TARGETDIR"},
      {L"MsdeDestinationDlg", ulvo, {}, {}, hyou, engine, hyou + L"\\", L"_MSDEPATH"},
      {L"MsdeDestinationDlg", ulvo, {}, {}, kFamily, engine, family, L"_MSDEPATH"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::wstring(c.page) + L" " + c.typed.value_or(c.shown));
    ClearSetupTree();
    if (c.stored) test::RegSetString(c.key, L"TARGETDIR", *c.stored);
    if (c.installProduct)
      test::RegSetString(test::kInstallProductKey, L"TARGETDIR", *c.installProduct);
    const test::FolderPageSeen seen = test::VisitFolderPage(c.page, IDC_NEXT, c.typed);
    EXPECT_EQ(seen.result, KELVRA_NEXT);
    EXPECT_EQ(seen.folder, c.shown);
    EXPECT_EQ(test::RegGetString(c.key, c.value), c.storedAfter);
  }
}

// A feature named and titled outside the code page, from a UTF-16 INI file:
// its stored list finds it, and Next stores the name whole.
TEST_F(TextOutsideTheCodePage, AFeatureNameIsFoundAndStoredWhole) {
  const std::wstring lumo = test::kOptionsKey + std::wstring(L"\\Lumo");
  const std::wstring name = L"\u0388\u03c1\u03b3\u03b1" + kHyou;
  WriteOptionsIni(
      L"[TREL_OPTIONS]\r\nFEATURE_SELECTION=lumo\r\n[LUMO]\r\n"
      L"FEATURE1=Main;;Viewer;;1;0;1\r\nFEATURE2=" +
      name +
      L";Main;\u0395\u03c1\u03b3\u03b1\u03bb\u03b5\u03af\u03b1;;0;0;0\r\n"
      L"FEATURE3=Pdf;Main;Manuals;;0;0;0\r\n");
  test::RegSetString(lumo, L"FEATURE_ENABLED", name + L";Pdf");
  EXPECT_EQ(test::OpenPage(L"SelectFeatureDlg",
                           [](test::Ui& ui, HWND page) { ui.SendPressed(page, IDC_NEXT); }),
            KELVRA_NEXT);
  // In the tree's order, which sorts by title: "Manuals" comes first.
  EXPECT_EQ(test::RegGetString(lumo, L"FEATURE_ENABLED"), L"Pdf;" + name);
}

}  // namespace
