// Bad input on every page: wrong registry types, empty and unterminated
// texts, over-long INI values and names, missing INI files and sections, no
// help file, a resource library without one of a page's strings or
// bitmaps. Each row opens the page through its export, presses Next (or
// Back), and expects the page's normal result and its fallback.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "framework/help_command.h"
#include "kit/scoped_handle.h"
#include "res/kelvra_ids.h"
#include "resdll/kelvrares_ids.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/page_table.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/setup_test.h"
#include "tests/win/support/process_watch.h"

#include <commctrl.h>  // after windows.h

namespace {

using test::Ui;

using test::OptionKey;

const wchar_t kDriverIni[] =
    L"[TREL_OPTIONS]\r\nSETUP_TITLE=Ferrix\r\nSETUP_TRELPRODUCT=FERRIX\r\n"
    L"[CONTENTSERVER]\r\nSETUP_TITLE=Content\r\n"
    L"[LOOKGLASS]\r\nPRODUCT_NAME=Lookglass 11\r\n"
    L"[NERVACLIENT]\r\nPRODUCT_NAME=Nerva Client\r\n"
    L"[NERVASERVER]\r\nPRODUCT_NAME=Nerva Server\r\nDISKCOST_OS_PRODUCT=10;20\r\n";

const wchar_t kOptionsIni[] =
    L"[TREL_OPTIONS]\r\nFEATURE_SELECTION=lookglass\r\n"
    L"[LOOKGLASS]\r\nPRODUCT_NAME=Lookglass\r\n"
    L"FEATURE1=Main;;Viewer;The program itself;1;0;1\r\n"
    L"FEATURE2=Help;MAIN;Help files;Manuals;1;0;1\r\n"
    L"[FERRIX]\r\nUNITS=inch\r\nDRAWINGSTANDARD=GB\r\n"
    L"[CONTENTSERVER]\r\nSTANDARD1=ISO;ISO parts;Metric parts to ISO.;2\r\n";

void SetActive(const std::wstring& text) {
  test::RegSetString(test::kOptionsKey, L"active", text);
}

// A REG_SZ without its terminating NUL.
void SetUnterminated(const std::wstring& key, const wchar_t* name, const std::wstring& text) {
  test::RegSetRaw(key, name, REG_SZ, text.data(),
                  static_cast<DWORD>(text.size() * sizeof(wchar_t)));
}

void DeleteIni(const std::wstring& path) {
  DeleteFileW(path.c_str());
}

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR languages) {
  reinterpret_cast<std::vector<WORD>*>(languages)->push_back(language);
  return TRUE;
}

// String `id`'s block of sixteen counted strings, with that one left empty.
std::vector<WCHAR> BlockWithout(HMODULE module, UINT id, WORD language) {
  HRSRC found = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), language);
  const auto* text = static_cast<const WCHAR*>(LockResource(LoadResource(module, found)));
  std::vector<WCHAR> block;
  for (UINT i = 0; text && i < 16; ++i) {
    const WORD length = *text++;
    block.push_back(i == id % 16 ? 0 : length);
    if (i != id % 16) block.insert(block.end(), text, text + length);
    text += length;
  }
  return block;
}

// A copy of Kelvrares.dll without string `id`, or with bitmap `id` empty;
// returns its path.
std::wstring LibraryWithout(LPCWSTR type, UINT id) {
  const std::wstring source = test::ProgramFolder() + L"\\Kelvrares.dll";
  wchar_t temp[MAX_PATH] = L"";
  GetTempPathW(MAX_PATH, temp);
  const std::wstring copy = std::wstring(temp) + L"Kelvrares_without.dll";
  EXPECT_TRUE(CopyFileW(source.c_str(), copy.c_str(), FALSE));
  const bool isString = type == RT_STRING;
  const LPCWSTR name = MAKEINTRESOURCEW(isString ? id / 16 + 1 : id);
  std::vector<WORD> languages;
  std::vector<WCHAR> block;
  {
    const kit::ScopedModule library(
        LoadLibraryExW(source.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    EnumResourceLanguagesW(library.get(), type, name, AddLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    if (isString && !languages.empty()) block = BlockWithout(library.get(), id, languages[0]);
  }
  // Wine's resource updater keeps a deleted bitmap; an empty one loads as
  // none all the same.
  if (!isString) block.assign(2, 0);
  HANDLE update = BeginUpdateResourceW(copy.c_str(), FALSE);
  EXPECT_TRUE(update);
  // Every language's copy is rewritten without it.
  for (const WORD language : languages)
    EXPECT_TRUE(UpdateResourceW(update, type, name, language, block.data(),
                                static_cast<DWORD>(block.size() * sizeof(WCHAR))));
  EXPECT_TRUE(EndUpdateResourceW(update, FALSE));
  // The copy really lacks it, and keeps the rest.
  const kit::ScopedModule stripped(LoadLibraryExW(copy.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  wchar_t text[256] = L"";
  if (isString)
    EXPECT_EQ(LoadStringW(stripped.get(), id, text, std::size(text)), 0) << id;
  else
    EXPECT_FALSE(kit::ScopedBitmap(static_cast<HBITMAP>(
        LoadImageW(stripped.get(), name, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR))))
        << id;
  EXPECT_NE(LoadStringW(stripped.get(), IDS_CANCEL_QUESTION, text, std::size(text)), 0);
  return copy;
}

// A copy of Kelvrares.dll whose content list lacks LVS_SHAREIMAGELISTS, as a
// translation might; returns its path. In a DLGITEMTEMPLATEEX the style
// comes 16 bytes and the control ID 4 bytes before the class name.
std::wstring LibraryWithUnsharedContentList() {
  const std::wstring source = test::ProgramFolder() + L"\\Kelvrares.dll";
  wchar_t temp[MAX_PATH] = L"";
  GetTempPathW(MAX_PATH, temp);
  const std::wstring copy = std::wstring(temp) + L"Kelvrares_unshared.dll";
  EXPECT_TRUE(CopyFileW(source.c_str(), copy.c_str(), FALSE));
  const LPCWSTR name = MAKEINTRESOURCEW(IDD_CONTENT_STANDARD);
  std::vector<WORD> languages;
  std::vector<std::vector<BYTE>> templates;
  {
    const kit::ScopedModule library(
        LoadLibraryExW(source.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    EnumResourceLanguagesW(library.get(), RT_DIALOG, name, AddLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    for (const WORD language : languages) {
      HRSRC found = FindResourceExW(library.get(), RT_DIALOG, name, language);
      const auto* bytes =
          static_cast<const BYTE*>(LockResource(LoadResource(library.get(), found)));
      templates.emplace_back(bytes, bytes + SizeofResource(library.get(), found));
    }
  }
  const std::wstring listClass = L"SysListView32";
  HANDLE update = BeginUpdateResourceW(copy.c_str(), FALSE);
  EXPECT_TRUE(update);
  for (std::size_t i = 0; i < languages.size(); ++i) {
    std::vector<BYTE>& bytes = templates[i];
    // Compilers differ in the case they keep of a class name.
    const auto* words = reinterpret_cast<const wchar_t*>(bytes.data());
    std::size_t offset = bytes.size();
    for (std::size_t w = 8; w + listClass.size() <= bytes.size() / 2 && offset == bytes.size(); ++w)
      if (_wcsnicmp(words + w, listClass.c_str(), listClass.size()) == 0) offset = w * 2;
    const bool found = offset != bytes.size();
    EXPECT_TRUE(found) << L"no list in the template";
    if (!found) continue;
    DWORD id = 0, style = 0;
    memcpy(&id, &bytes[offset - 4], sizeof id);
    memcpy(&style, &bytes[offset - 16], sizeof style);
    EXPECT_EQ(id, static_cast<DWORD>(IDC_CONTENT_LIST));
    EXPECT_TRUE(style & LVS_SHAREIMAGELISTS) << L"the shipped template shares its lists";
    style &= ~static_cast<DWORD>(LVS_SHAREIMAGELISTS);
    memcpy(&bytes[offset - 16], &style, sizeof style);
    EXPECT_TRUE(UpdateResourceW(update, RT_DIALOG, name, languages[i], bytes.data(),
                                static_cast<DWORD>(bytes.size())));
  }
  EXPECT_FALSE(languages.empty());
  EXPECT_TRUE(EndUpdateResourceW(update, FALSE));
  return copy;
}

// The row images of the content list open now, as the page gave them.
int ContentImageCount(HWND page) {
  const auto images = reinterpret_cast<HIMAGELIST>(
      SendDlgItemMessageW(page, IDC_CONTENT_LIST, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
  return images ? ImageList_GetImageCount(images) : -1;
}

// How many pixels image `index` of `images` draws over a plain background.
int InkOf(HIMAGELIST images, int index) {
  int width = 0, height = 0;
  ImageList_GetIconSize(images, &width, &height);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const kit::ScopedBitmap canvas(
      CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  const kit::ScopedMemoryDC dc(nullptr, canvas.get());
  constexpr DWORD kBackground = 0x00123456;
  auto* pixels = static_cast<DWORD*>(bits);
  std::fill(pixels, pixels + width * height, kBackground);
  ImageList_Draw(images, index, dc.get(), 0, 0, ILD_NORMAL);
  GdiFlush();
  const int ink = static_cast<int>(
      std::count_if(pixels, pixels + width * height, [](DWORD p) { return p != kBackground; }));
  return ink;
}

// The library a row put in place of Kelvrares.dll, until the row ends.
std::unique_ptr<test::ResourceLibraryAside> g_replacedLibrary;
// Kelvra.dll held between two visits, as a driver holds it between pages.
kit::ScopedModule g_heldPages;

struct Row {
  std::wstring page;  // export
  std::wstring name;
  std::function<void()> arrange;
  int button = IDC_NEXT;
  std::function<void(Ui&, HWND)> onPage = nullptr;  // checks while the page is up
  std::function<void()> after = nullptr;            // checks of what the call stored
};

class BadInputTest : public test::SetupTest {
 public:
  using SetupTest::DriverIniFile;
  using SetupTest::OptionsIniFile;
};

std::wstring LongText(size_t length, wchar_t c) {
  return std::wstring(length, c);
}

void ExpectStoredUnder(const std::wstring& key) {
  EXPECT_TRUE(test::RegKeyExists(key)) << L"Next stored nothing under " << key;
}

// Cases every page meets the same way, one row per page.
void AddSharedRows(const test::PageRow& p, std::vector<Row>* rows) {
  const std::wstring page = p.exportName;
  const std::wstring optionKey = OptionKey(p.productKey);
  const std::wstring fallbackKey = OptionKey(p.fallbackKey);
  const std::wstring active = p.active;
  auto storedUnder = [](const std::wstring& key) { return [key] { ExpectStoredUnder(key); }; };

  rows->push_back({page, L"active of type DWORD",
                   [] { test::RegSetDword(test::kOptionsKey, L"active", 7); }, IDC_NEXT, nullptr,
                   storedUnder(fallbackKey)});
  rows->push_back(
      {page, L"active empty", [] { SetActive(L""); }, IDC_NEXT, nullptr, storedUnder(fallbackKey)});
  rows->push_back({page, L"active unterminated",
                   [active] { SetUnterminated(test::kOptionsKey, L"active", active); }, IDC_NEXT,
                   nullptr, storedUnder(optionKey)});
  rows->push_back({page, L"active of 40,000 characters", [] { SetActive(LongText(40000, L'q')); },
                   IDC_NEXT, nullptr, storedUnder(fallbackKey)});
  rows->push_back({page, L"TRELProduct and PelmoFlavor of type DWORD",
                   [] {
                     test::RegSetDword(test::kSetupRoot, L"TRELProduct", 1);
                     test::RegSetDword(test::kSetupRoot, L"PelmoFlavor", 2);
                   },
                   IDC_NEXT, nullptr, storedUnder(optionKey)});
  rows->push_back({page, L"_CANCELED as text",
                   [optionKey] { test::RegSetString(optionKey, L"_CANCELED", L"1"); }, IDC_NEXT,
                   nullptr, storedUnder(optionKey)});
  rows->push_back({page, L"no driver INI", [] { DeleteIni(BadInputTest::DriverIniFile()); },
                   IDC_NEXT, nullptr, storedUnder(optionKey)});
  rows->push_back({page, L"no Options.ini", [] { DeleteIni(BadInputTest::OptionsIniFile()); },
                   IDC_NEXT, nullptr, storedUnder(optionKey)});
  rows->push_back({page, L"no sections",
                   [] {
                     test::SetupTest::WriteDriverIni(L"[ELSEWHERE]\r\nX=1\r\n");
                     test::SetupTest::WriteOptionsIni(L"[ELSEWHERE]\r\nX=1\r\n");
                   },
                   IDC_NEXT, nullptr, storedUnder(optionKey)});
  // Every caption comes from an INI value; the reader keeps 1023 characters.
  rows->push_back(
      {page, L"INI values over 1023 characters",
       [] {
         const std::wstring v = LongText(5000, L'v');
         test::SetupTest::WriteDriverIni(
             L"[TREL_OPTIONS]\r\nSETUP_TITLE=" + v + L"\r\nSETUP_TRELPRODUCT=" + v +
             L"\r\n[CONTENTSERVER]\r\nSETUP_TITLE=" + v + L"\r\n[LOOKGLASS]\r\n" +
             L"PRODUCT_NAME=" + v + L"\r\n[NERVACLIENT]\r\nPRODUCT_NAME=" + v +
             L"\r\n[NERVASERVER]\r\nPRODUCT_NAME=" + v + L"\r\nDISKCOST_OS_PRODUCT=" + v + L"\r\n");
         test::SetupTest::WriteOptionsIni(
             L"[TREL_OPTIONS]\r\nFEATURE_SELECTION=" + v + L"\r\n[LOOKGLASS]\r\n" +
             L"PRODUCT_NAME=" + v + L"\r\nFEATURE1=" + v + L"\r\n[FERRIX]\r\nUNITS=" + v +
             L"\r\nDRAWINGSTANDARD=" + v + L"\r\n[CONTENTSERVER]\r\nSTANDARD1=" + v + L"\r\n");
       },
       IDC_NEXT, [](Ui&, HWND window) { EXPECT_LE(test::WindowText(window).size(), 1100u); },
       storedUnder(optionKey)});
  if (p.help) {
    rows->push_back({page, L"Help without a help file",
                     [] {
                       wchar_t temp[MAX_PATH] = L"";
                       GetTempPathW(MAX_PATH, temp);
                       std::wstring folder = temp;
                       if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
                       DeleteFileW(kelvra::HelpFilePath(folder).c_str());
                     },
                     IDC_NEXT,
                     [](Ui& ui, HWND window) {
                       // A viewer would exist once the press is dealt with.
                       const size_t viewers = test::ProcessesNamed(L"hh.exe").size();
                       ui.SendPressed(window, IDC_HELP_BUTTON);
                       EXPECT_EQ(test::ProcessesNamed(L"hh.exe").size(), viewers);
                       EXPECT_EQ(ui.OpenDialogs(), 1u) << L"Help showed a box";
                     },
                     storedUnder(optionKey)});
  }
  if (p.sectionFromActive) {
    // The longest name the INI reader takes is 1023 characters; one more is
    // an unknown product, whose caption lacks the name.
    for (size_t length : {size_t{1023}, size_t{1024}}) {
      const std::wstring name = L"Long " + std::to_wstring(length);
      rows->push_back({page, L"active of " + std::to_wstring(length) + L" characters",
                       [length, name] {
                         const std::wstring product = LongText(length, L'Q');
                         SetActive(product);
                         test::SetupTest::WriteDriverIni(L"[" + product + L"]\r\nPRODUCT_NAME=" +
                                                         name + L"\r\n");
                       },
                       IDC_BACK,
                       [length, name](Ui&, HWND window) {
                         const bool named =
                             test::WindowText(window).find(name) != std::wstring::npos;
                         EXPECT_EQ(named, length <= 1023) << test::WindowText(window);
                       }});
    }
  }
}

std::vector<Row> Rows() {
  std::vector<Row> rows;
  for (const test::PageRow& p : test::kPages) AddSharedRows(p, &rows);

  const std::wstring ferrix = test::kFerrixKey;
  const std::wstring content = OptionKey(L"ContentServer");
  const std::wstring lookglass = OptionKey(L"Lookglass");
  const std::wstring nervaClient = OptionKey(L"NervaClient");
  const std::wstring nervaServer = OptionKey(L"NervaServer");
  auto checked = [](std::vector<int> ids) {
    return [ids](Ui& ui, HWND window) {
      for (int id : ids) EXPECT_TRUE(ui.IsChecked(window, id)) << L"control " << id;
    };
  };
  auto destination = [](std::wstring expected) {
    return [expected](Ui& ui, HWND window) {
      const std::wstring want =
          expected.empty() ? L"\\" + test::ResourceLibraryString(IDS_LOOKGLASS_FOLDER) + L"\\"
                           : expected;
      EXPECT_EQ(ui.Text(window, IDC_DESTINATION), want);
    };
  };

  // Values each page reads, of the wrong type, empty or unterminated.
  rows.push_back({L"PartModificationDlg", L"ALLOWDRAWINGEDIT as text",
                  [ferrix] { test::RegSetString(ferrix, L"ALLOWDRAWINGEDIT", L"0"); }, IDC_NEXT,
                  checked({IDC_DRAWING_EDIT_ALLOWED}),
                  [ferrix] { EXPECT_EQ(test::RegGetDword(ferrix, L"ALLOWDRAWINGEDIT"), 1u); }});
  rows.push_back({L"UnitStandardDlg", L"UNITS and DRAWINGSTANDARD of type DWORD",
                  [ferrix] {
                    test::RegSetDword(ferrix, L"UNITS", 1);
                    test::RegSetDword(ferrix, L"DRAWINGSTANDARD", 1);
                  },
                  IDC_NEXT, checked({IDC_UNITS_INCH, IDC_STANDARD_GB})});
  rows.push_back({L"UnitStandardDlg", L"UNITS and DRAWINGSTANDARD empty",
                  [ferrix] {
                    test::RegSetString(ferrix, L"UNITS", L"");
                    test::RegSetString(ferrix, L"DRAWINGSTANDARD", L"");
                  },
                  IDC_NEXT, checked({IDC_UNITS_INCH, IDC_STANDARD_GB})});
  rows.push_back({L"UnitStandardDlg", L"UNITS and DRAWINGSTANDARD unterminated",
                  [ferrix] {
                    SetUnterminated(ferrix, L"UNITS", L"MM");
                    SetUnterminated(ferrix, L"DRAWINGSTANDARD", L"DIN");
                  },
                  IDC_NEXT, checked({IDC_UNITS_MM, IDC_STANDARD_DIN})});
  rows.push_back({L"SelectContentDlg", L"a standard's value as text",
                  [content] { test::RegSetString(content, L"ISO", L"0"); }, IDC_NEXT,
                  [](Ui&, HWND window) {
                    const LRESULT state = SendDlgItemMessageW(
                        window, IDC_CONTENT_LIST, LVM_GETITEMSTATE, 0, LVIS_STATEIMAGEMASK);
                    EXPECT_EQ(state & LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(1))
                        << L"read as absent, the value leaves the row unticked";
                  }});
  rows.push_back({L"InstallDestinationDlg", L"TARGETDIR values of type DWORD",
                  [lookglass] {
                    test::RegSetDword(lookglass, L"TARGETDIR", 1);
                    test::RegSetDword(test::kInstallProductKey, L"TARGETDIR", 1);
                  },
                  IDC_NEXT, destination(L"")});
  rows.push_back({L"InstallDestinationDlg", L"TARGETDIR values empty",
                  [lookglass] {
                    test::RegSetString(lookglass, L"TARGETDIR", L"");
                    test::RegSetString(test::kInstallProductKey, L"TARGETDIR", L"");
                  },
                  IDC_NEXT, destination(L"")});
  rows.push_back({L"InstallDestinationDlg", L"TARGETDIR unterminated",
                  [lookglass] { SetUnterminated(lookglass, L"TARGETDIR", L"C:\\Odd\\"); }, IDC_NEXT,
                  destination(L"C:\\Odd\\")});
  rows.push_back(
      {L"CofraShortcutDlg", L"SHOW_DESKTOP_MENU as text",
       [nervaClient] { test::RegSetString(nervaClient, L"SHOW_DESKTOP_MENU", L"0"); }, IDC_NEXT,
       checked({IDC_SHOW_DESKTOP_MENU}),
       [nervaClient] { EXPECT_EQ(test::RegGetDword(nervaClient, L"SHOW_DESKTOP_MENU"), 1u); }});
  rows.push_back({L"MsdeDestinationDlg", L"stored folders of the wrong types",
                  [nervaServer] {
                    test::RegSetDword(nervaServer, L"_MSDEPATH", 1);
                    test::RegSetDword(nervaServer, L"_DATADIR", 1);
                    test::RegSetString(nervaServer, L"_USEDEFAULTDATADIR", L"0");
                  },
                  IDC_NEXT, nullptr,
                  [nervaServer] {
                    EXPECT_NE(test::RegGetString(nervaServer, L"_MSDEPATH").value_or(L""), L"");
                    EXPECT_NE(test::RegGetString(nervaServer, L"_DATADIR").value_or(L""), L"");
                  }});
  rows.push_back({L"MsdeDestinationDlg", L"stored folders empty",
                  [nervaServer] {
                    test::RegSetString(nervaServer, L"_MSDEPATH", L"");
                    test::RegSetString(nervaServer, L"_DATADIR", L"");
                  },
                  IDC_NEXT, nullptr,
                  [nervaServer] {
                    EXPECT_NE(test::RegGetString(nervaServer, L"_MSDEPATH").value_or(L""), L"");
                  }});
  for (const wchar_t* page :
       {L"FerrixDestinationDlg", L"CofraDestinationDlg", L"UlvoDestinationDlg"}) {
    rows.push_back({page, L"TARGETDIR values of type DWORD",
                    [] {
                      for (const test::PageRow& p : test::kPages)
                        test::RegSetDword(OptionKey(p.productKey), L"TARGETDIR", 1);
                      test::RegSetDword(test::kInstallProductKey, L"TARGETDIR", 1);
                    },
                    IDC_NEXT, nullptr,
                    [page] {
                      const std::wstring key = OptionKey(test::FindPage(page)->productKey);
                      EXPECT_TRUE(test::RegGetString(key, L"TARGETDIR").has_value());
                    }});
  }
  rows.push_back({L"SelectFeatureDlg", L"feature lists of type DWORD",
                  [lookglass] {
                    test::RegSetDword(lookglass, L"FEATURE_ENABLED", 1);
                    test::RegSetDword(lookglass, L"FEATURE_DISABLED", 1);
                  },
                  IDC_NEXT, nullptr,
                  [lookglass] {
                    EXPECT_TRUE(test::RegGetString(lookglass, L"FEATURE_ENABLED").has_value());
                  }});
  rows.push_back({L"SelectFeatureDlg", L"feature lists unterminated",
                  [lookglass] {
                    SetUnterminated(lookglass, L"FEATURE_ENABLED", L"Main");
                    SetUnterminated(lookglass, L"FEATURE_DISABLED", L"Help");
                  },
                  IDC_NEXT, nullptr,
                  [lookglass] {
                    EXPECT_TRUE(test::RegGetString(lookglass, L"FEATURE_DISABLED").has_value());
                  }});
  // A resource library missing what a page loads from it: the text is left
  // empty or the image out, and the page goes on.
  const struct {
    const wchar_t* page;
    const wchar_t* what;
    LPCWSTR type;
    UINT id;
    std::function<void(Ui&, HWND)> onPage;
  } missing[] = {
      {L"CofraDestinationDlg", L"caption suffix", RT_STRING, IDS_CAPTION_SUFFIX, nullptr},
      {L"MsdeDestinationDlg", L"caption suffix", RT_STRING, IDS_CAPTION_SUFFIX, nullptr},
      {L"SelectContentDlg", L"column heading", RT_STRING, IDS_CONTENT_COLUMN, nullptr},
      {L"SelectContentDlg", L"row images", RT_BITMAP, IDB_CONTENT_ROWS, nullptr},
      // The local picture left blank, and every other in its place.
      {L"SelectFeatureDlg", L"state image", RT_BITMAP, IDB_STATE_LOCAL,
       [](Ui&, HWND window) {
         const auto images = reinterpret_cast<HIMAGELIST>(
             SendDlgItemMessageW(window, IDC_FEATURE_TREE, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
         ASSERT_EQ(ImageList_GetImageCount(images), 7);
         for (int i = 0; i < 7; ++i) EXPECT_EQ(InkOf(images, i) == 0, i == 3) << L"image " << i;
       }},
  };
  // The kept row images outlive a list that would free them: a second
  // visit while the driver still holds Kelvra.dll gets them whole.
  rows.push_back(
      {L"SelectContentDlg", L"resource library whose list does not share its images",
       [] {
         g_heldPages.reset(LoadLibraryW((test::ProgramFolder() + L"\\Kelvra.dll").c_str()));
         EXPECT_TRUE(g_heldPages);
         g_replacedLibrary =
             std::make_unique<test::ResourceLibraryAside>(LibraryWithUnsharedContentList());
       },
       IDC_NEXT, [](Ui&, HWND page) { EXPECT_GT(ContentImageCount(page), 1); },
       [] {
         int again = 0;
         test::OpenPage(L"SelectContentDlg", [&](Ui& ui, HWND page) {
           again = ContentImageCount(page);
           ui.Click(page, IDC_NEXT);
         });
         EXPECT_GT(again, 1) << L"the second visit got a freed image list";
         g_heldPages.reset();
       }});
  for (const auto& m : missing) {
    const std::wstring optionKey = OptionKey(test::FindPage(m.page)->productKey);
    const LPCWSTR type = m.type;
    const UINT id = m.id;
    rows.push_back({m.page,
                    std::wstring(m.type == RT_STRING ? L"resource library without its "
                                                     : L"resource library with empty ") +
                        m.what,
                    [type, id] {
                      g_replacedLibrary =
                          std::make_unique<test::ResourceLibraryAside>(LibraryWithout(type, id));
                    },
                    IDC_NEXT, m.onPage, [optionKey] { ExpectStoredUnder(optionKey); }});
  }
  return rows;
}

TEST_F(BadInputTest, EveryPageEndsNormallyWithItsFallback) {
  for (const Row& row : Rows()) {
    SCOPED_TRACE(row.page + L": " + row.name);
    ClearSetupTree();
    WriteDriverIni(kDriverIni);
    WriteOptionsIni(kOptionsIni);
    SetActive(test::FindPage(row.page)->active);
    row.arrange();
    const int result = test::OpenPage(row.page, [&](Ui& ui, HWND page) {
      if (row.onPage) row.onPage(ui, page);
      ui.Click(page, row.button);
    });
    EXPECT_EQ(result, row.button == IDC_NEXT ? KELVRA_NEXT : KELVRA_BACK);
    if (row.after) row.after();
    g_replacedLibrary.reset();
  }
}

}  // namespace
