// Bad input on every page: wrong registry types, empty and unterminated
// texts, over-long INI values and names, missing INI files and sections, no
// help file, a resource library without one of a page's strings or
// bitmaps. Each row opens the page through its export, presses Next (or
// Back), and expects the page's normal result and its fallback.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/help_command.h"
#include "kit/scoped_handle.h"
#include "res/kelvra_ids.h"
#include "resdll/kelvrares_ids.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/page_kit.h"
#include "tests/win/support/process_watch.h"

#include <commctrl.h>  // after windows.h

namespace {

using test::Ui;

std::string Key(const char* leaf) {
  return test::kOptionsKey + std::string("\\") + leaf;
}

struct Page {
  const char* exportName;
  const char* active;       // what the well-formed setup makes active
  std::string optionKey;    // where Next stores with that product
  std::string fallbackKey;  // where Next stores when "active" is unusable
  bool help;                // has a Help button
  bool sectionFromActive;   // turns "active" into an INI section name
};

const Page kPages[] = {
    {"PartModificationDlg", "FERRIX", test::kFerrixKey, test::kFerrixKey, true, false},
    {"InstallDestinationDlg", "lookglass", Key("Lookglass"), Key("Lumo"), false, true},
    {"UnitStandardDlg", "FERRIX", test::kFerrixKey, test::kFerrixKey, true, false},
    {"SelectContentDlg", "FERRIX", Key("ContentServer"), Key("ContentServer"), true, false},
    {"CofraShortcutDlg", "nervaclient", Key("NervaClient"), Key("CofraClient"), true, true},
    {"MsdeDestinationDlg", "nervaserver", Key("NervaServer"), Key("CofraServer"), true, true},
    {"SelectFeatureDlg", "lookglass", Key("Lookglass"), Key("Lumo"), false, false},
    {"FerrixDestinationDlg", "FERRIX", test::kFerrixKey, test::kFerrixKey, true, false},
    {"CofraDestinationDlg", "nervaclient", Key("NervaClient"), Key("CofraClient"), true, true},
    {"UlvoDestinationDlg", "nervaserver", Key("NervaServer"), Key("CofraServer"), true, true},
};

const char kDriverIni[] =
    "[TREL_OPTIONS]\r\nSETUP_TITLE=Ferrix\r\nSETUP_TRELPRODUCT=FERRIX\r\n"
    "[CONTENTSERVER]\r\nSETUP_TITLE=Content\r\n"
    "[LOOKGLASS]\r\nPRODUCT_NAME=Lookglass 11\r\n"
    "[NERVACLIENT]\r\nPRODUCT_NAME=Nerva Client\r\n"
    "[NERVASERVER]\r\nPRODUCT_NAME=Nerva Server\r\nDISKCOST_OS_PRODUCT=10;20\r\n";

const char kOptionsIni[] =
    "[TREL_OPTIONS]\r\nFEATURE_SELECTION=lookglass\r\n"
    "[LOOKGLASS]\r\nPRODUCT_NAME=Lookglass\r\n"
    "FEATURE1=Main;;Viewer;The program itself;1;0;1\r\n"
    "FEATURE2=Help;MAIN;Help files;Manuals;1;0;1\r\n"
    "[FERRIX]\r\nUNITS=inch\r\nDRAWINGSTANDARD=GB\r\n"
    "[CONTENTSERVER]\r\nSTANDARD1=ISO;ISO parts;Metric parts to ISO.;2\r\n";

void SetActive(const std::string& text) {
  test::RegSetString(test::kOptionsKey, "active", text);
}

// A REG_SZ without its terminating NUL.
void SetUnterminated(const std::string& key, const char* name, const std::string& text) {
  test::RegSetRaw(key, name, REG_SZ, text.data(), static_cast<DWORD>(text.size()));
}

std::string Caption(HWND page) {
  char caption[2048] = "";
  GetWindowTextA(page, caption, sizeof caption);
  return caption;
}

void DeleteIni(const std::string& path) {
  DeleteFileA(path.c_str());
}

BOOL CALLBACK AddLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR languages) {
  reinterpret_cast<std::vector<WORD>*>(languages)->push_back(language);
  return TRUE;
}

// String `id`'s block of sixteen counted strings, with that one left empty.
std::vector<WCHAR> BlockWithout(HMODULE module, UINT id, WORD language) {
  HRSRC found = FindResourceExA(module, RT_STRING, MAKEINTRESOURCEA(id / 16 + 1), language);
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
std::string LibraryWithout(LPCSTR type, UINT id) {
  const std::string source = test::ProgramFolder() + "\\Kelvrares.dll";
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  const std::string copy = std::string(temp) + "Kelvrares_without.dll";
  EXPECT_TRUE(CopyFileA(source.c_str(), copy.c_str(), FALSE));
  const bool isString = type == RT_STRING;
  const LPCSTR name = MAKEINTRESOURCEA(isString ? id / 16 + 1 : id);
  std::vector<WORD> languages;
  std::vector<WCHAR> block;
  {
    const kit::ScopedModule library(
        LoadLibraryExA(source.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    EnumResourceLanguagesA(library.get(), type, name, AddLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    if (isString && !languages.empty()) block = BlockWithout(library.get(), id, languages[0]);
  }
  // Wine's resource updater keeps a deleted bitmap; an empty one loads as
  // none all the same.
  if (!isString) block.assign(2, 0);
  HANDLE update = BeginUpdateResourceA(copy.c_str(), FALSE);
  EXPECT_TRUE(update);
  // Every language's copy is rewritten without it.
  for (const WORD language : languages)
    EXPECT_TRUE(UpdateResourceA(update, type, name, language, block.data(),
                                static_cast<DWORD>(block.size() * sizeof(WCHAR))));
  EXPECT_TRUE(EndUpdateResourceA(update, FALSE));
  // The copy really lacks it, and keeps the rest.
  const kit::ScopedModule stripped(LoadLibraryExA(copy.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  char text[256] = "";
  if (isString)
    EXPECT_EQ(LoadStringA(stripped.get(), id, text, sizeof text), 0) << id;
  else
    EXPECT_FALSE(kit::ScopedBitmap(static_cast<HBITMAP>(
        LoadImageA(stripped.get(), name, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR))))
        << id;
  EXPECT_NE(LoadStringA(stripped.get(), IDS_CANCEL_QUESTION, text, sizeof text), 0);
  return copy;
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

struct Row {
  std::string page;  // export
  std::string name;
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

std::string LongText(size_t length, char c) {
  return std::string(length, c);
}

void ExpectStoredUnder(const std::string& key) {
  EXPECT_TRUE(test::RegKeyExists(key)) << "Next stored nothing under " << key;
}

// Cases every page meets the same way, one row per page.
void AddSharedRows(const Page& p, std::vector<Row>* rows) {
  const std::string page = p.exportName;
  const std::string optionKey = p.optionKey;
  const std::string fallbackKey = p.fallbackKey;
  const std::string active = p.active;
  auto storedUnder = [](const std::string& key) { return [key] { ExpectStoredUnder(key); }; };

  rows->push_back({page, "active of type DWORD",
                   [] { test::RegSetDword(test::kOptionsKey, "active", 7); }, IDC_NEXT, nullptr,
                   storedUnder(fallbackKey)});
  rows->push_back(
      {page, "active empty", [] { SetActive(""); }, IDC_NEXT, nullptr, storedUnder(fallbackKey)});
  rows->push_back({page, "active unterminated",
                   [active] { SetUnterminated(test::kOptionsKey, "active", active); }, IDC_NEXT,
                   nullptr, storedUnder(optionKey)});
  rows->push_back({page, "active of 40,000 characters", [] { SetActive(LongText(40000, 'q')); },
                   IDC_NEXT, nullptr, storedUnder(fallbackKey)});
  rows->push_back({page, "TRELProduct and PelmoFlavor of type DWORD",
                   [] {
                     test::RegSetDword(test::kSetupRoot, "TRELProduct", 1);
                     test::RegSetDword(test::kSetupRoot, "PelmoFlavor", 2);
                   },
                   IDC_NEXT, nullptr, storedUnder(optionKey)});
  rows->push_back({page, "_CANCELED as text",
                   [optionKey] { test::RegSetString(optionKey, "_CANCELED", "1"); }, IDC_NEXT,
                   nullptr, storedUnder(optionKey)});
  rows->push_back({page, "no driver INI", [] { DeleteIni(BadInputTest::DriverIniFile()); },
                   IDC_NEXT, nullptr, storedUnder(optionKey)});
  rows->push_back({page, "no Options.ini", [] { DeleteIni(BadInputTest::OptionsIniFile()); },
                   IDC_NEXT, nullptr, storedUnder(optionKey)});
  rows->push_back({page, "no sections",
                   [] {
                     test::SetupTest::WriteDriverIni("[ELSEWHERE]\r\nX=1\r\n");
                     test::SetupTest::WriteOptionsIni("[ELSEWHERE]\r\nX=1\r\n");
                   },
                   IDC_NEXT, nullptr, storedUnder(optionKey)});
  // Every caption comes from an INI value; the reader keeps 1023 characters.
  rows->push_back(
      {page, "INI values over 1023 characters",
       [] {
         const std::string v = LongText(5000, 'v');
         test::SetupTest::WriteDriverIni(
             "[TREL_OPTIONS]\r\nSETUP_TITLE=" + v + "\r\nSETUP_TRELPRODUCT=" + v +
             "\r\n[CONTENTSERVER]\r\nSETUP_TITLE=" + v + "\r\n[LOOKGLASS]\r\n" +
             "PRODUCT_NAME=" + v + "\r\n[NERVACLIENT]\r\nPRODUCT_NAME=" + v +
             "\r\n[NERVASERVER]\r\nPRODUCT_NAME=" + v + "\r\nDISKCOST_OS_PRODUCT=" + v + "\r\n");
         test::SetupTest::WriteOptionsIni(
             "[TREL_OPTIONS]\r\nFEATURE_SELECTION=" + v + "\r\n[LOOKGLASS]\r\n" +
             "PRODUCT_NAME=" + v + "\r\nFEATURE1=" + v + "\r\n[FERRIX]\r\nUNITS=" + v +
             "\r\nDRAWINGSTANDARD=" + v + "\r\n[CONTENTSERVER]\r\nSTANDARD1=" + v + "\r\n");
       },
       IDC_NEXT, [](Ui&, HWND window) { EXPECT_LE(Caption(window).size(), 1100u); },
       storedUnder(optionKey)});
  if (p.help) {
    rows->push_back({page, "Help without a help file",
                     [] {
                       char temp[MAX_PATH] = "";
                       GetTempPathA(MAX_PATH, temp);
                       std::string folder = temp;
                       if (!folder.empty() && folder.back() == '\\') folder.pop_back();
                       DeleteFileA(kelvra::HelpFilePath(folder).c_str());
                     },
                     IDC_NEXT,
                     [](Ui& ui, HWND window) {
                       // A viewer would exist once the press is dealt with.
                       const size_t viewers = test::ProcessesNamed("hh.exe").size();
                       ui.SendPressed(window, IDC_HELP_BUTTON);
                       EXPECT_EQ(test::ProcessesNamed("hh.exe").size(), viewers);
                       EXPECT_EQ(ui.OpenDialogs(), 1u) << "Help showed a box";
                     },
                     storedUnder(optionKey)});
  }
  if (p.sectionFromActive) {
    // The longest name the INI reader takes is 1023 characters; one more is
    // an unknown product, whose caption lacks the name.
    for (size_t length : {size_t{1023}, size_t{1024}}) {
      const std::string name = "Long " + std::to_string(length);
      rows->push_back({page, "active of " + std::to_string(length) + " characters",
                       [length, name] {
                         const std::string product = LongText(length, 'Q');
                         SetActive(product);
                         test::SetupTest::WriteDriverIni("[" + product +
                                                         "]\r\nPRODUCT_NAME=" + name + "\r\n");
                       },
                       IDC_BACK,
                       [length, name](Ui&, HWND window) {
                         const bool named = Caption(window).find(name) != std::string::npos;
                         EXPECT_EQ(named, length <= 1023) << Caption(window);
                       }});
    }
  }
}

std::vector<Row> Rows() {
  std::vector<Row> rows;
  for (const Page& p : kPages) AddSharedRows(p, &rows);

  const std::string ferrix = test::kFerrixKey;
  const std::string content = Key("ContentServer");
  const std::string lookglass = Key("Lookglass");
  const std::string nervaClient = Key("NervaClient");
  const std::string nervaServer = Key("NervaServer");
  auto checked = [](std::vector<int> ids) {
    return [ids](Ui& ui, HWND window) {
      for (int id : ids) EXPECT_TRUE(ui.IsChecked(window, id)) << "control " << id;
    };
  };
  auto destination = [](std::string expected) {
    return [expected](Ui& ui, HWND window) {
      const std::string want = expected.empty()
                                   ? "\\" + test::ResourceLibraryString(IDS_LOOKGLASS_FOLDER) + "\\"
                                   : expected;
      EXPECT_EQ(ui.Text(window, IDC_DESTINATION), want);
    };
  };

  // Values each page reads, of the wrong type, empty or unterminated.
  rows.push_back({"PartModificationDlg", "ALLOWDRAWINGEDIT as text",
                  [ferrix] { test::RegSetString(ferrix, "ALLOWDRAWINGEDIT", "0"); }, IDC_NEXT,
                  checked({IDC_DRAWING_EDIT_ALLOWED}),
                  [ferrix] { EXPECT_EQ(test::RegGetDword(ferrix, "ALLOWDRAWINGEDIT"), 1u); }});
  rows.push_back({"UnitStandardDlg", "UNITS and DRAWINGSTANDARD of type DWORD",
                  [ferrix] {
                    test::RegSetDword(ferrix, "UNITS", 1);
                    test::RegSetDword(ferrix, "DRAWINGSTANDARD", 1);
                  },
                  IDC_NEXT, checked({IDC_UNITS_INCH, IDC_STANDARD_GB})});
  rows.push_back({"UnitStandardDlg", "UNITS and DRAWINGSTANDARD empty",
                  [ferrix] {
                    test::RegSetString(ferrix, "UNITS", "");
                    test::RegSetString(ferrix, "DRAWINGSTANDARD", "");
                  },
                  IDC_NEXT, checked({IDC_UNITS_INCH, IDC_STANDARD_GB})});
  rows.push_back({"UnitStandardDlg", "UNITS and DRAWINGSTANDARD unterminated",
                  [ferrix] {
                    SetUnterminated(ferrix, "UNITS", "MM");
                    SetUnterminated(ferrix, "DRAWINGSTANDARD", "DIN");
                  },
                  IDC_NEXT, checked({IDC_UNITS_MM, IDC_STANDARD_DIN})});
  rows.push_back({"SelectContentDlg", "a standard's value as text",
                  [content] { test::RegSetString(content, "ISO", "0"); }, IDC_NEXT,
                  [](Ui&, HWND window) {
                    const LRESULT state = SendDlgItemMessageA(
                        window, IDC_CONTENT_LIST, LVM_GETITEMSTATE, 0, LVIS_STATEIMAGEMASK);
                    EXPECT_EQ(state & LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(1))
                        << "read as absent, the value leaves the row unticked";
                  }});
  rows.push_back({"InstallDestinationDlg", "TARGETDIR values of type DWORD",
                  [lookglass] {
                    test::RegSetDword(lookglass, "TARGETDIR", 1);
                    test::RegSetDword(test::kInstallProductKey, "TARGETDIR", 1);
                  },
                  IDC_NEXT, destination("")});
  rows.push_back({"InstallDestinationDlg", "TARGETDIR values empty",
                  [lookglass] {
                    test::RegSetString(lookglass, "TARGETDIR", "");
                    test::RegSetString(test::kInstallProductKey, "TARGETDIR", "");
                  },
                  IDC_NEXT, destination("")});
  rows.push_back({"InstallDestinationDlg", "TARGETDIR unterminated",
                  [lookglass] { SetUnterminated(lookglass, "TARGETDIR", "C:\\Odd\\"); }, IDC_NEXT,
                  destination("C:\\Odd\\")});
  rows.push_back(
      {"CofraShortcutDlg", "SHOW_DESKTOP_MENU as text",
       [nervaClient] { test::RegSetString(nervaClient, "SHOW_DESKTOP_MENU", "0"); }, IDC_NEXT,
       checked({IDC_SHOW_DESKTOP_MENU}),
       [nervaClient] { EXPECT_EQ(test::RegGetDword(nervaClient, "SHOW_DESKTOP_MENU"), 1u); }});
  rows.push_back({"MsdeDestinationDlg", "stored folders of the wrong types",
                  [nervaServer] {
                    test::RegSetDword(nervaServer, "_MSDEPATH", 1);
                    test::RegSetDword(nervaServer, "_DATADIR", 1);
                    test::RegSetString(nervaServer, "_USEDEFAULTDATADIR", "0");
                  },
                  IDC_NEXT, nullptr,
                  [nervaServer] {
                    EXPECT_NE(test::RegGetString(nervaServer, "_MSDEPATH").value_or(""), "");
                    EXPECT_NE(test::RegGetString(nervaServer, "_DATADIR").value_or(""), "");
                  }});
  rows.push_back({"MsdeDestinationDlg", "stored folders empty",
                  [nervaServer] {
                    test::RegSetString(nervaServer, "_MSDEPATH", "");
                    test::RegSetString(nervaServer, "_DATADIR", "");
                  },
                  IDC_NEXT, nullptr,
                  [nervaServer] {
                    EXPECT_NE(test::RegGetString(nervaServer, "_MSDEPATH").value_or(""), "");
                  }});
  for (const char* page : {"FerrixDestinationDlg", "CofraDestinationDlg", "UlvoDestinationDlg"}) {
    rows.push_back({page, "TARGETDIR values of type DWORD",
                    [] {
                      for (const Page& p : kPages) test::RegSetDword(p.optionKey, "TARGETDIR", 1);
                      test::RegSetDword(test::kInstallProductKey, "TARGETDIR", 1);
                    },
                    IDC_NEXT, nullptr,
                    [page] {
                      for (const Page& p : kPages) {
                        if (p.exportName == std::string(page)) {
                          EXPECT_TRUE(test::RegGetString(p.optionKey, "TARGETDIR").has_value());
                        }
                      }
                    }});
  }
  rows.push_back(
      {"SelectFeatureDlg", "feature lists of type DWORD",
       [lookglass] {
         test::RegSetDword(lookglass, "FEATURE_ENABLED", 1);
         test::RegSetDword(lookglass, "FEATURE_DISABLED", 1);
       },
       IDC_NEXT, nullptr,
       [lookglass] { EXPECT_TRUE(test::RegGetString(lookglass, "FEATURE_ENABLED").has_value()); }});
  rows.push_back({"SelectFeatureDlg", "feature lists unterminated",
                  [lookglass] {
                    SetUnterminated(lookglass, "FEATURE_ENABLED", "Main");
                    SetUnterminated(lookglass, "FEATURE_DISABLED", "Help");
                  },
                  IDC_NEXT, nullptr,
                  [lookglass] {
                    EXPECT_TRUE(test::RegGetString(lookglass, "FEATURE_DISABLED").has_value());
                  }});
  // A resource library missing what a page loads from it: the text is left
  // empty or the image out, and the page goes on.
  const struct {
    const char* page;
    const char* what;
    LPCSTR type;
    UINT id;
    std::function<void(Ui&, HWND)> onPage;
  } missing[] = {
      {"CofraDestinationDlg", "caption suffix", RT_STRING, IDS_CAPTION_SUFFIX, nullptr},
      {"MsdeDestinationDlg", "caption suffix", RT_STRING, IDS_CAPTION_SUFFIX, nullptr},
      {"SelectContentDlg", "column heading", RT_STRING, IDS_CONTENT_COLUMN, nullptr},
      {"SelectContentDlg", "row images", RT_BITMAP, IDB_CONTENT_ROWS, nullptr},
      // The local picture left blank, and every other in its place.
      {"SelectFeatureDlg", "state image", RT_BITMAP, IDB_STATE_LOCAL,
       [](Ui&, HWND window) {
         const auto images = reinterpret_cast<HIMAGELIST>(
             SendDlgItemMessageA(window, IDC_FEATURE_TREE, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
         ASSERT_EQ(ImageList_GetImageCount(images), 7);
         for (int i = 0; i < 7; ++i) EXPECT_EQ(InkOf(images, i) == 0, i == 3) << "image " << i;
       }},
  };
  for (const auto& m : missing) {
    std::string optionKey;
    for (const Page& p : kPages)
      if (p.exportName == std::string(m.page)) optionKey = p.optionKey;
    const LPCSTR type = m.type;
    const UINT id = m.id;
    rows.push_back({m.page,
                    std::string(m.type == RT_STRING ? "resource library without its "
                                                    : "resource library with empty ") +
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
    SCOPED_TRACE(row.page + ": " + row.name);
    ClearSetupTree();
    WriteDriverIni(kDriverIni);
    WriteOptionsIni(kOptionsIni);
    for (const Page& p : kPages)
      if (row.page == p.exportName) SetActive(p.active);
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
