// The page entry frame: the resource library's loading, swap and release on
// every path, as a setup driver sees it through the real exports.
#include <gtest/gtest.h>

#include <cstdio>
#include <windows.h>

#include <commctrl.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/page_entry.h"
#include "framework/resource_module.h"
#include "framework/setup_page.h"
#include "kit/text_format.h"
#include "kit/app.h"
#include "pages/options/part_modification.h"
#include "res/kelvra_ids.h"
#include "kit/scoped_handle.h"
#include "kelvra_version.h"
#include "include/kelvra.h"
#include "resdll/kelvrares_ids.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/setup_test.h"

namespace {

using test::Ui;

std::wstring ReadFileText(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  const std::string bytes = text.str();
  return std::wstring(bytes.begin(), bytes.end());
}

std::wstring PlantedMarker() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + L"planted_code_ran.txt";
}

// A page whose initialisation fails with an exception.
class ThrowingPage : public CSetupPage {
 public:
  ThrowingPage()
      : CSetupPage({IDD_PART_MODIFICATION, PageProduct::kDriverProduct, PageCaption::kOwn,
                    PageHeadings::kNone, PageBanner::kNone, CancelMarker::kKeep,
                    FixedKey(test::kFerrixKey)}) {}

 private:
  void Show(const PageVisit&, const CRegistryKey&) override {
    throw std::runtime_error("page failed");
  }
  bool Commit(const PageVisit&, CRegistryChanges&) override { return true; }
};

class PageEntryTest : public test::SetupTest {};

// Calls the real export (of the Kelvra.dll in `folder`, when given), waits
// for its page and presses Back: true when the page appeared and the export
// returned KELVRA_BACK.
bool ExportShowsPageAndGoesBack(const std::wstring& folder = std::wstring()) {
  bool shown = false;
  const int result =
      test::OpenPage([&] { return test::CallExport(L"PartModificationDlg", folder); },
                     [&](Ui& ui, HWND page) {
                       shown = page != nullptr;
                       ui.Click(page, IDC_BACK);
                     });
  return shown && result == KELVRA_BACK;
}

TEST_F(PageEntryTest, MissingResourceLibraryShowsOneMessageAndChangesNothing) {
  WriteDriverIni(L"[TREL_OPTIONS]\r\nSETUP_TITLE=Ferrix 11 Setup\r\nSETUP_TRELPRODUCT=brava\r\n");
  test::RegSetString(test::kFerrixKey, L"ALLOWDRAWINGEDIT", L"kept");
  test::RegSetDword(test::kFerrixKey, L"_CANCELED", 1);
  const std::wstring registryBefore = test::SnapshotSetupTree();
  const std::wstring iniBefore = ReadFileText(DriverIniFile());

  test::ResourceLibraryAside aside;
  test::MessageBoxSeen box;
  bool secondWindow = true;
  const int result = test::OpenPage(L"PartModificationDlg", [&](Ui& ui, HWND) {
    box = ui.WaitForMessageBox();
    ui.Answer(box, IDOK);
    ui.WaitUntilClosed(box.window);
    secondWindow = ui.WaitForDialog(nullptr, 500) != nullptr;
  });

  EXPECT_EQ(result, KELVRA_NO_RESOURCES);
  EXPECT_EQ(box.text, L"Unable to load resource dll: Kelvrares.dll.");
  EXPECT_FALSE(secondWindow) << L"neither a page nor a second message may follow";
  EXPECT_EQ(test::SnapshotSetupTree(), registryBefore);
  EXPECT_EQ(ReadFileText(DriverIniFile()), iniBefore);
}

// Runs a page of this program's own copy of the frame; reports the resource
// handle in force while it was up.
template <class Page>
int RunAndWatch(HINSTANCE* whileUp, const std::function<void(Ui&, HWND)>& press) {
  *whileUp = nullptr;
  return test::OpenPage([] { return RunPage<Page>(); },
                        [&](Ui& ui, HWND page) {
                          *whileUp = kit::ResourceHandle();
                          press(ui, page);
                        });
}

TEST_F(PageEntryTest, ResourceHandleIsRestoredAndLibraryFreedOnEveryPath) {
  const HINSTANCE before = kit::ResourceHandle();
  ASSERT_EQ(before, kit::InstanceHandle());

  struct Path {
    const wchar_t* name;
    std::function<void(Ui&, HWND)> press;
    int expected;
  };
  const Path paths[] = {
      {L"Next", [](Ui& ui, HWND page) { ui.Click(page, IDC_NEXT); }, KELVRA_NEXT},
      {L"Back", [](Ui& ui, HWND page) { ui.Click(page, IDC_BACK); }, KELVRA_BACK},
      {L"confirmed Cancel",
       [](Ui& ui, HWND page) {
         ui.Click(page, IDCANCEL);
         ui.Answer(ui.WaitForMessageBox(), IDYES);
       },
       KELVRA_CANCEL},
  };
  for (const Path& path : paths) {
    SCOPED_TRACE(path.name);
    HINSTANCE whileUp = nullptr;
    EXPECT_EQ(RunAndWatch<CPartModification>(&whileUp, path.press), path.expected);
    ASSERT_NE(whileUp, nullptr) << L"the page never appeared";
    EXPECT_NE(whileUp, before) << L"the resource library was not current while the page ran";
    EXPECT_EQ(kit::ResourceHandle(), before);
    EXPECT_TRUE(test::IsUnmapped(whileUp)) << L"the resource library is still held";
  }

  EXPECT_EQ(RunPage<ThrowingPage>(), -1) << L"an exception in a page must not leave the export";
  EXPECT_EQ(kit::ResourceHandle(), before);

  {
    test::ResourceLibraryAside aside;
    EXPECT_EQ(test::OpenPage([] { return RunPage<CPartModification>(); },
                             [](Ui& ui, HWND) { ui.Answer(ui.WaitForMessageBox(), IDOK); }),
              KELVRA_NO_RESOURCES);
  }
  EXPECT_EQ(kit::ResourceHandle(), before);
}

TEST_F(PageEntryTest, TwoExportsInARowEachLoadTheirOwnResourceLibrary) {
  HINSTANCE first = nullptr;
  HINSTANCE second = nullptr;
  const auto back = [](Ui& ui, HWND page) { ui.Click(page, IDC_BACK); };
  EXPECT_EQ(RunAndWatch<CPartModification>(&first, back), KELVRA_BACK);
  EXPECT_TRUE(test::IsUnmapped(first));
  EXPECT_EQ(RunAndWatch<CPartModification>(&second, back), KELVRA_BACK);
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(test::IsUnmapped(second));

  // The same through the real library, as a driver calls it.
  for (int call = 0; call < 2; ++call) {
    EXPECT_TRUE(ExportShowsPageAndGoesBack()) << L"call " << call;
  }
}

TEST_F(PageEntryTest, LibraryUnloadsOnceTheDriverFreesIt) {
  ASSERT_EQ(GetModuleHandleW(L"Kelvra.dll"), nullptr);
  EXPECT_TRUE(ExportShowsPageAndGoesBack());
  EXPECT_EQ(GetModuleHandleW(L"Kelvra.dll"), nullptr) << L"a page pinned the library in memory";
}

TEST_F(PageEntryTest, IconAndBannerComeFromKelvraWhileResourceLibraryIsCurrent) {
  WriteDriverIni(L"[TREL_OPTIONS]\r\nSETUP_TRELPRODUCT=brava\r\n");
  test::RegSetString(test::kSetupRoot, L"TRELProduct", L"brava");

  HICON icon = nullptr;
  test::OpenPage(L"PartModificationDlg", [&](Ui& ui, HWND page) {
    icon = reinterpret_cast<HICON>(SendMessageW(page, WM_GETICON, ICON_BIG, 0));
    ui.Click(page, IDC_BACK);
  });
  EXPECT_NE(icon, nullptr) << L"IDI_FERRIX lives only in Kelvra.dll";

  // The banner of this program's own copy of the page: IDB_BANNER_FERRIX, 505 by 63.
  CPartModification page;
  BITMAP banner{};
  test::OpenPage([&] { return RunPageModal(page); },
                 [&](Ui& ui, HWND window) {
                   GetObjectW(page.Banner().Bitmap(), sizeof banner, &banner);
                   ui.Click(window, IDC_BACK);
                 });
  EXPECT_EQ(banner.bmWidth, 505);
  EXPECT_EQ(banner.bmHeight, 63);
}

TEST_F(PageEntryTest, PlantedResourceLibraryCodeNeverRuns) {
  const std::wstring planted = test::ProgramFolder() + L"\\planted\\Kelvrares.dll";
  DeleteFileW(PlantedMarker().c_str());
  {
    test::ResourceLibraryAside aside(planted);
    EXPECT_TRUE(ExportShowsPageAndGoesBack()) << L"the planted library's templates still serve";
  }
  EXPECT_EQ(GetFileAttributesW(PlantedMarker().c_str()), INVALID_FILE_ATTRIBUTES)
      << L"the planted library's entry point ran";

  // Control: loaded as a library, its code does run.
  ASSERT_TRUE(kit::ScopedModule(LoadLibraryW(planted.c_str())));
  EXPECT_NE(GetFileAttributesW(PlantedMarker().c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteFileW(PlantedMarker().c_str());
}

// A folder made for one test and removed with the files put in it.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::wstring& path) : path_(path) {
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~ScratchFolder() {
    for (const std::wstring& file : files_) DeleteFileW(file.c_str());
    RemoveDirectoryW(path_.c_str());
  }
  void Put(const std::wstring& from, const wchar_t* name) {
    files_.push_back(path_ + L"\\" + name);
    EXPECT_TRUE(CopyFileW(from.c_str(), files_.back().c_str(), FALSE)) << from;
  }
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
  std::vector<std::wstring> files_;
};

// An installer unpacks both libraries into a folder of its own, which the
// system's search order never visits: the copy beside Kelvra.dll serves. A
// copy the search does find, one planted in the current folder, still comes
// first, and no library found either way runs code.
TEST_F(PageEntryTest, ResourceLibraryBesideKelvraServesWhenTheSearchFindsNone) {
  const std::wstring genuine = test::ProgramFolder() + L"\\Kelvrares.dll";
  const std::wstring planted = test::ProgramFolder() + L"\\planted\\Kelvrares.dll";
  struct Row {
    const wchar_t* name;
    std::wstring besideKelvra;
    std::wstring inCurrentFolder;
    const wchar_t* unpackedInto = L"unpacked";
  };
  const Row rows[] = {
      {L"beside Kelvra.dll", genuine, L""},
      {L"a planted copy beside Kelvra.dll", planted, L""},
      {L"a planted copy in the current folder", genuine, planted},
      // A temporary folder below a user name outside the code page.
      {L"beside Kelvra.dll in a folder outside the code page", genuine, L"",
       L"\u0141ukasz \u0388\u03c1\u03b3\u03b1 \u8868"},
  };
  wchar_t before[MAX_PATH] = L"";
  GetCurrentDirectoryW(MAX_PATH, before);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    DeleteFileW(PlantedMarker().c_str());
    ScratchFolder unpacked(test::ProgramFolder() + L"\\" + row.unpackedInto);
    unpacked.Put(test::ProgramFolder() + L"\\Kelvra.dll", L"Kelvra.dll");
    unpacked.Put(row.besideKelvra, L"Kelvrares.dll");
    ScratchFolder current(test::ProgramFolder() + L"\\current");
    if (!row.inCurrentFolder.empty()) current.Put(row.inCurrentFolder, L"Kelvrares.dll");
    {
      test::ResourceLibraryAside aside;
      ASSERT_TRUE(SetCurrentDirectoryW(current.Path().c_str()));
      EXPECT_TRUE(ExportShowsPageAndGoesBack(unpacked.Path()));
      SetCurrentDirectoryW(before);
    }
    EXPECT_EQ(GetFileAttributesW(PlantedMarker().c_str()), INVALID_FILE_ATTRIBUTES)
        << L"the planted library's entry point ran";
  }
}

}  // namespace

namespace {

std::wstring VersionString(const std::wstring& file, const std::wstring& name) {
  DWORD ignored = 0;
  std::vector<wchar_t> block(GetFileVersionInfoSizeW(file.c_str(), &ignored));
  if (block.empty() ||
      !GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(block.size()), block.data()))
    return L"(no version resource)";
  // The texts' block is named after the file's language: English, or the
  // language of the resource library beside this program.
  WORD* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translation), &length) ||
      length < 2 * sizeof(WORD))
    return L"(no translation)";
  wchar_t blockName[16];
  std::swprintf(blockName, std::size(blockName), L"%04X%04X", translation[0], translation[1]);
  wchar_t* text = nullptr;
  const std::wstring path = std::wstring(L"\\StringFileInfo\\") + blockName + L"\\" + name;
  if (!VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&text), &length))
    return L"(no " + name + L")";
  return std::wstring(text);
}

TEST(VersionResource, BothLibrariesCarryTheBuildsVersion) {
  for (const wchar_t* library : {L"Kelvra.dll", L"Kelvrares.dll"}) {
    SCOPED_TRACE(library);
    const std::wstring file = test::ProgramFolder() + L"\\" + library;
    EXPECT_EQ(VersionString(file, L"FileVersion"), kit::Widened(KELVRA_VERSION_TEXT));
    EXPECT_EQ(VersionString(file, L"ProductVersion"), kit::Widened(KELVRA_VERSION_TEXT));
    EXPECT_EQ(VersionString(file, L"OriginalFilename"), library);
  }
}

}  // namespace

namespace {

HANDLE CurrentActivationContext() {
  HANDLE context = nullptr;
  GetCurrentActCtx(&context);
  if (context) ReleaseActCtx(context);  // only its identity is compared
  return context;
}

// The driver here has no manifest; the page's controls are version 6 anyway,
// and the thread's context is as before once the page returns, on any path.
TEST(VisualStyles, PagesRunUnderTheirOwnCommonControlsContext) {
  const HANDLE before = CurrentActivationContext();
  // Only the buttons of common controls 6 know their ideal size.
  LRESULT answered = 0;
  SIZE ideal{};
  const int result = test::OpenPage(L"PartModificationDlg", [&](Ui& ui, HWND page) {
    answered = SendMessageW(GetDlgItem(page, IDC_NEXT), BCM_GETIDEALSIZE, 0,
                            reinterpret_cast<LPARAM>(&ideal));
    ui.Click(page, IDC_BACK);
  });
  EXPECT_EQ(result, KELVRA_BACK);
  EXPECT_TRUE(answered && ideal.cx > 0) << L"the page's buttons are common controls 6";
  EXPECT_EQ(CurrentActivationContext(), before);
}

}  // namespace
