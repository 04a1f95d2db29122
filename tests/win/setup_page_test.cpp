// What every page shares, seen on this program's own copy of a page so the
// test can look at the page object as well as at its window.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <optional>
#include <vector>

#include "features/select_feature.h"
#include "framework/help_command.h"
#include "framework/page_entry.h"
#include "framework/registry.h"
#include "kit/scoped_handle.h"
#include "include/kelvra.h"
#include "pages/options/part_modification.h"
#include "pages/server/msde_destination.h"
#include "resdll/kelvrares_ids.h"
#include "tests/win/support/process_watch.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/scoped_test_handles.h"
#include "tests/win/support/setup_test.h"

namespace {

using test::Ui;

class SetupPageTest : public test::SetupTest {
 protected:
  // Shows `page` through the frame; `look` runs while it is up, then Back.
  void WhileShown(CPartModification& page, const std::function<void(Ui&, HWND)>& look) {
    test::OpenPage([&] { return RunPageModal(page); },
                   [&](Ui& ui, HWND window) {
                     look(ui, window);
                     ui.Click(window, IDC_BACK);
                   });
  }
};

TEST_F(SetupPageTest, CaptionHeadingAndIconFollowTheDriver) {
  WriteDriverIni(L"[TREL_OPTIONS]\r\nSETUP_TITLE=Ferrix 11 Setup\r\nSETUP_TRELPRODUCT=brava\r\n");
  CPartModification page;
  std::wstring caption;
  LOGFONTW heading{};
  HICON big = nullptr, small = nullptr;
  std::wstring banner;
  WhileShown(page, [&](Ui& ui, HWND window) {
    caption = test::WindowText(window);
    banner = ui.Text(window, IDC_BANNER);
    auto font = reinterpret_cast<HFONT>(SendDlgItemMessageW(window, IDC_HEADING, WM_GETFONT, 0, 0));
    GetObjectW(font, sizeof heading, &heading);
    big = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
    small = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
  });
  EXPECT_EQ(caption, L"Ferrix 11 Setup");
  EXPECT_EQ(page.Title(), L"Ferrix 11 Setup");
  EXPECT_EQ(banner, L"Ferrix 11 Setup") << L"the banner's name, for screen readers";
  EXPECT_EQ(heading.lfWeight, 700);
  EXPECT_NE(big, nullptr);
  EXPECT_EQ(small, big);

  WriteDriverIni(L"[TREL_OPTIONS]\r\nSETUP_TRELPRODUCT=unknown\r\n");
  CPartModification unknown;
  WhileShown(unknown, [&](Ui&, HWND window) {
    big = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
  });
  EXPECT_EQ(big, nullptr) << L"an unknown product has no icon";
}

TEST_F(SetupPageTest, PageSitsRightOfAndBelowTheWorkAreaCentre) {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  CPartModification page;
  RECT placed{};
  WhileShown(page, [&](Ui&, HWND window) { GetWindowRect(window, &placed); });
  const int width = placed.right - placed.left;
  const int height = placed.bottom - placed.top;
  EXPECT_EQ(placed.left, (work.left + work.right) / 2 - width / 2 + 20);
  EXPECT_EQ(placed.top, (work.top + work.bottom) / 2 - height / 2 + 20);
}

class HelpTest : public SetupPageTest {
 protected:
  void SetUp() override {
    SetupPageTest::SetUp();
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    temp_ = temp;
    temp_.pop_back();
    chm_ = kelvra::HelpFilePath(temp_);
    DeleteFileW(chm_.c_str());
  }
  void TearDown() override {
    DeleteFileW(chm_.c_str());
    SetupPageTest::TearDown();
  }

  void CreateHelpFile() const { CreateHelpFileIn(temp_); }
  static void CreateHelpFileIn(const std::wstring& temp) {
    CreateDirectoryW((temp + L"\\TrelSetups").c_str(), nullptr);
    CreateDirectoryW((temp + L"\\TrelSetups\\Bin").c_str(), nullptr);
    ASSERT_TRUE(kit::ScopedFile(CreateFileW(kelvra::HelpFilePath(temp).c_str(), GENERIC_WRITE, 0,
                                            nullptr, CREATE_ALWAYS, 0, nullptr)));
  }

  // Presses Help and returns the viewers that appeared within `waitMs`, with
  // their command lines, ended again. Wine's viewer gives up on a dummy help
  // file at once, so each is read the moment it shows up.
  static std::vector<test::ProcessSeen> PressHelp(Ui& ui, HWND window, DWORD waitMs) {
    const std::vector<DWORD> before = test::ProcessesNamed(L"hh.exe");
    std::vector<test::ProcessSeen> started;
    ui.Click(window, IDC_HELP_BUTTON);
    const DWORD start = GetTickCount();
    while (started.empty() && GetTickCount() - start < waitMs) {
      for (DWORD id : test::ProcessesNamed(L"hh.exe")) {
        if (std::find(before.begin(), before.end(), id) != before.end()) continue;
        std::wstring commandLine;
        for (int tries = 0; commandLine.empty() && tries < 50; ++tries)
          commandLine = test::CommandLineOf(id);
        started.push_back({id, commandLine});
      }
      Sleep(1);
    }
    for (const test::ProcessSeen& viewer : started) test::EndProcess(viewer.id);
    return started;
  }
  std::vector<test::ProcessSeen> PressHelp(DWORD waitMs) {
    std::vector<test::ProcessSeen> started;
    CPartModification page;
    WhileShown(page, [&](Ui& ui, HWND window) { started = PressHelp(ui, window, waitMs); });
    return started;
  }

  std::wstring temp_;
  std::wstring chm_;
};

TEST_F(HelpTest, WithoutTheHelpFileNothingStarts) {
  EXPECT_TRUE(PressHelp(700).empty());
}

// TMP and TEMP set for this process until the end of the scope.
class ScopedTempFolder {
 public:
  explicit ScopedTempFolder(const std::wstring& folder) {
    for (const wchar_t* name : kNames) {
      wchar_t value[32767];
      const DWORD length = GetEnvironmentVariableW(name, value, 32767);
      saved_.push_back(length ? std::optional<std::wstring>(value) : std::nullopt);
      SetEnvironmentVariableW(name, folder.c_str());
    }
  }
  ~ScopedTempFolder() {
    for (size_t i = 0; i < saved_.size(); ++i)
      SetEnvironmentVariableW(kNames[i], saved_[i] ? saved_[i]->c_str() : nullptr);
  }
  ScopedTempFolder(const ScopedTempFolder&) = delete;
  ScopedTempFolder& operator=(const ScopedTempFolder&) = delete;

 private:
  static constexpr const wchar_t* kNames[] = {L"TMP", L"TEMP"};
  std::vector<std::optional<std::wstring>> saved_;
};

// The usual temporary folder, and one below a user name outside the code
// page, as every per-user one of such a user is: the viewer gets it whole.
TEST_F(HelpTest, WithTheHelpFileTheViewerOpensTheOptionTopic) {
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  const std::wstring family = temp_ + L"\\\u0141ukasz\u0388\u03c1\u03b3\u03b1";
  CreateDirectoryW(family.c_str(), nullptr);
  for (const std::wstring& folder : {temp_, family}) {
    SCOPED_TRACE(folder);
    const ScopedTempFolder temp(folder);
    CreateHelpFileIn(folder);
    const std::vector<test::ProcessSeen> started = PressHelp(5000);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].commandLine, std::wstring(windows) + L"\\hh.exe " +
                                          kelvra::HelpFilePath(folder) +
                                          L"::/Helpsystem/Installation/Html/dialog_option.htm");
  }
  DeleteFileW(kelvra::HelpFilePath(family).c_str());
  RemoveDirectoryW((family + L"\\TrelSetups\\Bin").c_str());
  RemoveDirectoryW((family + L"\\TrelSetups").c_str());
  RemoveDirectoryW(family.c_str());
}

// A temporary folder too long for the page's buffer is no folder: the first
// press leaves the real one in that buffer, and the second must not use it.
// The ctest entry help_double_byte runs this under code page 932 too.
TEST_F(HelpTest, ATemporaryFolderTooLongForItsBufferStartsNothing) {
  if (const wchar_t* codePage = _wgetenv(L"KELVRA_EXPECT_CODE_PAGE")) {
    ASSERT_EQ(GetACP(), static_cast<UINT>(_wtoi(codePage))) << L"is the locale installed?";
  }
  CreateHelpFile();
  for (const std::wstring& folder :
       {L"C:\\" + std::wstring(300, L't'), L"C:\\" + std::wstring(300, L'\x3042')}) {
    size_t first = 0, second = 0;
    CPartModification page;
    WhileShown(page, [&](Ui& ui, HWND window) {
      first = PressHelp(ui, window, 5000).size();
      const ScopedTempFolder temp(folder);
      second = PressHelp(ui, window, 700).size();
    });
    EXPECT_EQ(first, 1u);
    EXPECT_EQ(second, 0u) << L"code page " << GetACP() << L", folder of " << folder.size();
  }
}

// Counts the banner's WM_ERASEBKGND, seen from a hook on the page's thread.
std::atomic<int> g_bannerErases{0};
HWND g_banner = nullptr;

LRESULT CALLBACK CountBannerErase(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && message->hwnd == g_banner && message->message == WM_ERASEBKGND)
    ++g_bannerErases;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(SetupPageTest, BannerIsReloadedAndRepaintedAfterAColourChange) {
  CPartModification page;
  HBITMAP before = nullptr, after = nullptr;
  int erasesAfterChange = 0;
  WhileShown(page, [&](Ui& ui, HWND window) {
    g_banner = GetDlgItem(window, IDC_BANNER);
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, CountBannerErase, nullptr, ui.PageThread());
    before = page.Banner().Bitmap();
    ValidateRect(g_banner, nullptr);
    g_bannerErases = 0;
    SendMessageW(window, WM_SYSCOLORCHANGE, 0, 0);
    const DWORD start = GetTickCount();
    while (g_bannerErases == 0 && GetTickCount() - start < 2000) Sleep(10);
    erasesAfterChange = g_bannerErases;
    after = page.Banner().Bitmap();
    UnhookWindowsHookEx(hook);
  });
  EXPECT_NE(before, nullptr);
  EXPECT_NE(after, nullptr);
  EXPECT_NE(after, before) << L"reloaded";
  EXPECT_EQ(GetObjectType(before), 0u) << L"the old bitmap was freed";
  EXPECT_GT(erasesAfterChange, 0) << L"repainted";
}

// The pixels of `width` by `height` of `dc`, or of `bitmap` stretched to that
// size with averaged pixels when `bitmap` is given, as 32-bit colours.
std::vector<DWORD> Pixels(HDC dc, int width, int height, HBITMAP bitmap = nullptr) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const kit::ScopedBitmap copy(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  const kit::ScopedMemoryDC to(dc, copy.get());
  if (bitmap) {
    BITMAP size{};
    GetObjectW(bitmap, sizeof size, &size);
    const kit::ScopedMemoryDC from(dc, bitmap);
    SetStretchBltMode(to.get(), HALFTONE);
    SetBrushOrgEx(to.get(), 0, 0, nullptr);
    StretchBlt(to.get(), 0, 0, width, height, from.get(), 0, 0, size.bmWidth, size.bmHeight,
               SRCCOPY);
  } else {
    BitBlt(to.get(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
  }
  GdiFlush();
  const auto* first = static_cast<const DWORD*>(bits);
  std::vector<DWORD> pixels(first, first + width * height);
  for (DWORD& pixel : pixels) pixel &= 0xFFFFFF;
  return pixels;
}

// The banner shows its bitmap stretched to the control, also on a later page
// that paints it from the picture kept since the first.
TEST_F(SetupPageTest, BannerShowsItsBitmapStretchedToTheControl) {
  for (int visit = 0; visit < 2; ++visit) {
    CPartModification page;
    std::vector<DWORD> shown, expected;
    WhileShown(page, [&](Ui&, HWND window) {
      HWND banner = GetDlgItem(window, IDC_BANNER);
      RedrawWindow(banner, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
      RECT client{};
      GetClientRect(banner, &client);
      HDC dc = GetDC(banner);
      shown = Pixels(dc, client.right, client.bottom);
      expected = Pixels(dc, client.right, client.bottom, page.Banner().Bitmap());
      ReleaseDC(banner, dc);
    });
    ASSERT_FALSE(expected.empty());
    EXPECT_TRUE(shown == expected) << L"visit " << visit;
  }
}

// The registry refuses one value by name while it lives, and notes each
// value asked for, in order.
class RefusedValue {
 public:
  explicit RefusedValue(const std::wstring& name) {
    refused_ = name;
    asked_.clear();
    SetRegistryWriteRefusal(&Refuse);
  }
  ~RefusedValue() { SetRegistryWriteRefusal(nullptr); }
  RefusedValue(const RefusedValue&) = delete;
  RefusedValue& operator=(const RefusedValue&) = delete;

  // How many writes were let through before the refused one.
  size_t StoredBefore() const {
    return std::find(asked_.begin(), asked_.end(), refused_) - asked_.begin();
  }

 private:
  static LONG Refuse(const std::wstring& name) {
    asked_.push_back(name);
    return name == refused_ ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
  }
  static inline std::wstring refused_;
  static inline std::vector<std::wstring> asked_;
};

// A page that stores several values, and the one the registry refuses.
struct PartStoreRow {
  const char* name;
  std::function<int()> run;
  std::function<void()> arrange;
  std::function<void(Ui&, HWND)> change;  // before Next, so that Next changes stored values
  std::wstring refused;
};

void PrintTo(const PartStoreRow& row, std::ostream* out) {
  *out << row.name;
}

const std::wstring kServerKey = test::kOptionsKey + std::wstring(L"\\CofraServer");

class NextThatStoresPart : public test::SetupTest,
                           public ::testing::WithParamInterface<PartStoreRow> {};

// Back after a Next that stored only part finds the registry as it was
// before that Next: old values back, new ones gone.
TEST_P(NextThatStoresPart, PutsBackWhatTheOtherWritesChanged) {
  if (GetParam().arrange) GetParam().arrange();
  std::wstring beforeNext, afterBack;
  size_t storedBefore = 0;
  const int result = test::OpenPage(GetParam().run, [&](Ui& ui, HWND page) {
    if (GetParam().change) GetParam().change(ui, page);
    beforeNext = test::SnapshotSetupTree();
    {
      const RefusedValue refusal(GetParam().refused);
      ui.Click(page, IDC_NEXT);
      const test::MessageBoxSeen box = ui.WaitForMessageBox();
      ASSERT_NE(box.window, nullptr) << L"Next said nothing";
      ui.Answer(box, IDOK);
      storedBefore = refusal.StoredBefore();
    }
    ASSERT_TRUE(IsWindow(page)) << L"the page stays open";
    ui.Click(page, IDC_BACK);
  });
  EXPECT_EQ(result, KELVRA_BACK);
  EXPECT_GT(storedBefore, 0u) << L"a write succeeded before the refused one";
  EXPECT_EQ(test::SnapshotSetupTree(), beforeNext);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, NextThatStoresPart,
    ::testing::Values(PartStoreRow{"MsdeOverStoredFolders", &RunPage<CMsdeDestination>,
                                   [] {
                                     test::RegSetString(kServerKey, L"_MSDEPATH",
                                                        L"D:\\Old engine\\");
                                     test::RegSetString(kServerKey, L"_DATADIR", L"D:\\Old data\\");
                                   },
                                   [](Ui& ui, HWND page) {
                                     ui.SetText(page, IDC_DESTINATION, L"C:\\New engine\\");
                                   },
                                   L"_DATADIR"},
                      PartStoreRow{"MsdeOnAFirstVisit", &RunPage<CMsdeDestination>, nullptr,
                                   nullptr, L"_DATADIR"},
                      PartStoreRow{"FeatureLists", &RunPage<CSelectFeature>,
                                   [] {
                                     test::RegSetString(test::kOptionsKey, L"active", L"Lookglass");
                                     test::RegSetString(test::kLookglassKey, L"FEATURE_ENABLED",
                                                        L"Gone");
                                   },
                                   nullptr, L"FEATURE_DISABLED"}));

}  // namespace

namespace {

// At another dpi dialog units grow by the font's width and height apart; the
// banner's height follows its width so the bitmap keeps its shape.
TEST(KeepShape, SetsTheHeightForTheWidthAndTheShape) {
  const struct {
    int width, height, shapeWidth, shapeHeight, expected;
  } cases[] = {{505, 63, 505, 63, 63},
               {845, 93, 505, 63, 105},
               {758, 120, 505, 63, 95},
               {100, 40, 0, 63, 40}};
  for (const auto& c : cases) {
    const test::ScopedWindow control(CreateWindowExW(WS_EX_CLIENTEDGE, L"Static", L"", WS_POPUP, 0,
                                                     0, c.width + 4, c.height + 4, nullptr, nullptr,
                                                     nullptr, nullptr));
    RECT client{};
    GetClientRect(control.get(), &client);
    ASSERT_EQ(client.right, c.width) << L"a frame of 2 pixels a side";
    KeepShape(control.get(), c.shapeWidth, c.shapeHeight);
    GetClientRect(control.get(), &client);
    EXPECT_EQ(client.right, c.width);
    EXPECT_EQ(client.bottom, c.expected) << c.width << L" by " << c.height;
  }
  // Under a parent, it grows only as far as the first visible control below.
  const test::ScopedWindow parent(CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 900, 300,
                                                  nullptr, nullptr, nullptr, nullptr));
  HWND banner = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 0, 0, 845, 93,
                                parent.get(), nullptr, nullptr, nullptr);
  HWND below = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 20, 100, 50, 10,
                               parent.get(), nullptr, nullptr, nullptr);
  CreateWindowExW(0, L"Static", L"", WS_CHILD, 20, 95, 50, 10, parent.get(), nullptr, nullptr,
                  nullptr);  // hidden: no limit
  KeepShape(banner, 505, 63);
  RECT client{};
  GetClientRect(banner, &client);
  EXPECT_EQ(client.bottom, 100) << L"stops at the control below";
  ShowWindow(below, SW_HIDE);
  KeepShape(banner, 505, 63);
  GetClientRect(banner, &client);
  EXPECT_EQ(client.bottom, 105);
}

}  // namespace
