// The disk cost dialog and the Disk Cost request on the drives Wine really
// has. The test prefix carries a CD drive D: and a network drive N:.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "framework/resource_module.h"
#include "kit/app.h"
#include "kit/dialog.h"
#include "pages/disk_cost/disk_cost_data.h"
#include "pages/disk_cost/disk_cost_dialog.h"
#include "pages/disk_cost/disk_cost_math.h"
#include "pages/disk_cost/disk_cost_request.h"
#include "pages/disk_cost/drive_probe.h"
#include "resdll/kelvrares_ids.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/setup_test.h"

namespace {

using kelvra::DriveSpace;
using test::Ui;

constexpr int kColumns = 5;
constexpr int64_t kMiB = 1048576;
// The units of the resource library beside this program, in its language.
const kelvra::SizeUnits& Units() {
  static const kelvra::SizeUnits units{test::ResourceLibraryString(IDS_UNIT_BYTES),
                                       test::ResourceLibraryString(IDS_UNIT_KILOBYTES),
                                       test::ResourceLibraryString(IDS_UNIT_MEGABYTES),
                                       test::ResourceLibraryString(IDS_UNIT_GIGABYTES)};
  return units;
}

std::wstring Size(int64_t value) {
  return kelvra::FormatSize(value, Units());
}

// A number as the list shows it in bytes or megabytes.
std::wstring Bytes(int64_t value) {
  return std::to_wstring(value) + Units().bytes;
}
std::wstring Megabytes(int64_t value) {
  return std::to_wstring(value) + Units().megabytes;
}

// The resource library made current, as the page frame has it while a page is up.
class ResourceLibraryCurrent {
 public:
  HINSTANCE Handle() const { return module_.Handle(); }

 private:
  CResourceModule module_;
  bool loaded_ = module_.Load(kResourceLibraryName);
  CResourceScope scope_{module_.Handle()};
};

// ---------------------------------------------------------------- reading back

struct RowSeen {
  std::wstring cells[kColumns];
  int image = -1;
  UINT stateImage = 0;
};

struct DialogSeen {
  std::wstring caption;
  bool hasIcons = false;
  RECT window{};
  int headerColumns = -1;
  std::vector<std::wstring> headings;
  std::vector<int> widths;
  std::vector<int> formats;
  DWORD extendedStyle = 0;
  HIMAGELIST smallImages = nullptr;
  HIMAGELIST stateImages = nullptr;
  // Read while the dialog is up.
  int smallCount = 0, smallWidth = 0, smallHeight = 0;
  int stateCount = 0, stateWidth = 0, stateHeight = 0;
  bool shortMarkDrawn = false;
  std::vector<RowSeen> rows;
};

RowSeen ReadRow(HWND list, int row) {
  RowSeen seen;
  for (int column = 0; column < kColumns; ++column)
    seen.cells[column] = test::ListCellText(list, row, column);
  LVITEMW item{};
  item.mask = LVIF_IMAGE | LVIF_STATE;
  item.iItem = row;
  item.stateMask = LVIS_STATEIMAGEMASK;
  SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  seen.image = item.iImage;
  seen.stateImage = (item.state & LVIS_STATEIMAGEMASK) >> 12;
  return seen;
}

void ReadColumns(HWND list, DialogSeen* seen) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  seen->headerColumns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  for (int column = 0; column < seen->headerColumns; ++column) {
    wchar_t text[64] = L"";
    LVCOLUMNW info{};
    info.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    info.pszText = text;
    info.cchTextMax = std::size(text);
    SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&info));
    seen->headings.push_back(text);
    seen->widths.push_back(info.cx);
    seen->formats.push_back(info.fmt & LVCFMT_JUSTIFYMASK);
  }
}

// Whether image `index` of the list leaves any mark on a white square.
bool DrawsSomething(HIMAGELIST images, int index) {
  const kit::ScopedScreenDC screen;
  const kit::ScopedBitmap canvas(CreateCompatibleBitmap(screen.get(), 16, 16));
  const kit::ScopedMemoryDC memory(screen.get(), canvas.get());
  HDC dc = memory.get();
  const RECT square{0, 0, 16, 16};
  FillRect(dc, &square, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ImageList_Draw(images, index, dc, 0, 0, ILD_NORMAL);
  bool marked = false;
  for (int y = 0; y < 16 && !marked; ++y)
    for (int x = 0; x < 16 && !marked; ++x) marked = GetPixel(dc, x, y) != RGB(255, 255, 255);
  return marked;
}

DialogSeen ReadDialog(HWND dialog) {
  DialogSeen seen;
  seen.caption = test::WindowText(dialog);
  seen.hasIcons = SendMessageW(dialog, WM_GETICON, ICON_BIG, 0) != 0 &&
                  SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0) != 0;
  GetWindowRect(dialog, &seen.window);
  HWND list = GetDlgItem(dialog, IDC_DRIVE_LIST);
  ReadColumns(list, &seen);
  seen.extendedStyle = static_cast<DWORD>(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  seen.smallImages =
      reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
  seen.stateImages =
      reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_STATE, 0));
  if (seen.smallImages) {
    seen.smallCount = ImageList_GetImageCount(seen.smallImages);
    ImageList_GetIconSize(seen.smallImages, &seen.smallWidth, &seen.smallHeight);
  }
  if (seen.stateImages) {
    seen.stateCount = ImageList_GetImageCount(seen.stateImages);
    ImageList_GetIconSize(seen.stateImages, &seen.stateWidth, &seen.stateHeight);
    // State images count from 1: state 5 is drawn with image 4.
    seen.shortMarkDrawn = DrawsSomething(seen.stateImages, 4);
  }
  const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < rows; ++row) seen.rows.push_back(ReadRow(list, row));
  return seen;
}

// Shows the dialog, reads it and presses OK, as a user would.
DialogSeen ShowAndRead(const std::function<int()>& show, int* result = nullptr) {
  DialogSeen seen;
  const int shown = test::OpenPage(show, [&](Ui& ui, HWND dialog) {
    seen = ReadDialog(dialog);
    ui.Click(dialog, IDOK);
    ui.WaitUntilClosed(dialog);
  });
  if (result) *result = shown;
  return seen;
}

DialogSeen ShowDialog(int* result = nullptr) {
  return ShowAndRead(
      [] {
        CDiskCostDialog dialog(nullptr, kit::ResourceHandle());
        return static_cast<int>(dialog.DoModal());
      },
      result);
}

const RowSeen* FindRow(const DialogSeen& seen, const std::wstring& name) {
  for (const RowSeen& row : seen.rows)
    if (row.cells[0] == name) return &row;
  return nullptr;
}

const DriveSpace* FindDrive(const std::wstring& name) {
  for (const DriveSpace& drive : kelvra::DiskCostDataSoFar().drives)
    if (drive.name == name) return &drive;
  return nullptr;
}

// ----------------------------------------------------------- what Wine reports

struct DriveReported {
  std::wstring name;
  int image;
  ULONGLONG total;
  ULONGLONG free;
};

std::vector<DriveReported> DrivesWineReports() {
  std::vector<DriveReported> drives;
  for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
    const std::wstring root = std::wstring(1, letter) + L":\\";
    const UINT type = GetDriveTypeW(root.c_str());
    ULARGE_INTEGER free{}, total{};
    if ((type != DRIVE_FIXED && type != DRIVE_REMOTE) ||
        !GetDiskFreeSpaceExW(root.c_str(), &free, &total, nullptr) || total.QuadPart == 0)
      continue;
    drives.push_back(
        {root.substr(0, 2), type == DRIVE_REMOTE ? 1 : 0, total.QuadPart, free.QuadPart});
  }
  return drives;
}

ULONGLONG FreeBytes(const wchar_t* root) {
  ULARGE_INTEGER free{};
  GetDiskFreeSpaceExW(root, &free, nullptr, nullptr);
  return free.QuadPart;
}

void RequireTestDrives() {
  const wchar_t hint[] =
      L"the test prefix needs D: as a CD drive and N: as a network drive "
      L"(KELVRA_TEST_BUILD set when the prefix is made)";
  ASSERT_EQ(GetDriveTypeW(L"D:\\"), static_cast<UINT>(DRIVE_CDROM)) << hint;
  ASSERT_EQ(GetDriveTypeW(L"N:\\"), static_cast<UINT>(DRIVE_REMOTE)) << hint;
}

void SetRequirements(const std::vector<std::pair<std::wstring, int64_t>>& list) {
  std::vector<DriveSpace>& requirements = kelvra::DiskCostDataSoFar().requirements;
  requirements.clear();
  for (const auto& [name, bytes] : list) {
    DriveSpace requirement;
    requirement.name = name;
    requirement.required = bytes;
    requirements.push_back(requirement);
  }
}

// The test prefix's drives all answer at once; waiting for them keeps a
// dialog's first rows from depending on how quickly they did.
void WaitForDriveAnswers() {
  kelvra::StartDriveProbe();
  for (int tries = 0; tries < 500 && !kelvra::ReadDriveProbe().settled; ++tries) Sleep(10);
  ASSERT_TRUE(kelvra::ReadDriveProbe().settled) << L"a drive of the test prefix did not answer";
}

// The probe's system while a test holds one: the drives it reports, a
// clock the test moves, and one drive whose worker is refused or never runs.
struct ProbeStandIn {
  DWORD present = 0;
  std::atomic<DWORD> now{100000};
  int silentIndex = -1;
  bool refuse = false;
  std::atomic<int> workersAsked{0};
  std::vector<HANDLE> running;  // the workers really started
};
ProbeStandIn g_standIn;

DWORD WINAPI StandInDrives() {
  return g_standIn.present;
}
DWORD WINAPI StandInClock() {
  return g_standIn.now;
}
HANDLE WINAPI StandInThread(LPSECURITY_ATTRIBUTES security, SIZE_T stack,
                            LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD flags,
                            LPDWORD id) {
  ++g_standIn.workersAsked;
  if (reinterpret_cast<uintptr_t>(parameter) == static_cast<uintptr_t>(g_standIn.silentIndex)) {
    if (g_standIn.refuse) return nullptr;
    // A handle for the probe to close, and no worker: the drive never answers.
    return OpenThread(SYNCHRONIZE, FALSE, GetCurrentThreadId());
  }
  HANDLE thread = CreateThread(security, stack, start, parameter, flags, id);
  HANDLE kept = nullptr;
  if (thread)
    DuplicateHandle(GetCurrentProcess(), thread, GetCurrentProcess(), &kept, SYNCHRONIZE, FALSE, 0);
  if (kept) g_standIn.running.push_back(kept);
  return thread;
}

// Puts the stand-in in the probe's place for its lifetime; afterwards the
// real system again, measured afresh by the next round.
class ProbeStandInScope {
 public:
  ProbeStandInScope(DWORD present, wchar_t silent = L'\0', bool refuse = false) {
    g_standIn.present = present;
    g_standIn.silentIndex = silent ? silent - L'A' : -1;
    g_standIn.refuse = refuse;
    g_standIn.workersAsked = 0;
    kelvra::ReplaceDriveProbeSystem({StandInDrives, StandInClock, StandInThread});
  }
  ~ProbeStandInScope() {
    for (HANDLE thread : g_standIn.running) {
      WaitForSingleObject(thread, 10000);
      CloseHandle(thread);
    }
    g_standIn.running.clear();
    kelvra::ReplaceDriveProbeSystem(kelvra::RealDriveProbeSystem());
  }
  ProbeStandInScope(const ProbeStandInScope&) = delete;
  ProbeStandInScope& operator=(const ProbeStandInScope&) = delete;
};

bool WaitForSettled() {
  for (int tries = 0; tries < 500 && !kelvra::ReadDriveProbe().settled; ++tries) Sleep(10);
  return kelvra::ReadDriveProbe().settled;
}

DWORD LetterBit(wchar_t letter) {
  return 1u << (letter - L'A');
}

class DiskCostDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WaitForDriveAnswers();
    SetRequirements({});
  }
  void TearDown() override { SetRequirements({}); }

  ResourceLibraryCurrent resources_;
};

// ---------------------------------------------------------------- the dialog

TEST_F(DiskCostDialogTest, ShowsFiveSizeColumnsCaptionIconAndImages) {
  const HINSTANCE before = kit::ResourceHandle();
  int result = 0;
  const DialogSeen seen = ShowDialog(&result);

  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(seen.caption, test::ResourceLibraryString(IDS_DISK_COST_CAPTION));
  EXPECT_TRUE(seen.hasIcons);
  ASSERT_EQ(seen.headerColumns, kColumns);
  std::vector<std::wstring> headings;
  for (UINT id = IDS_DRIVE_COLUMN; id <= IDS_REMAINING_COLUMN; ++id)
    headings.push_back(test::ResourceLibraryString(id));
  EXPECT_EQ(seen.headings, headings) << L"Drive, Size, Available, Required, Remaining";
  EXPECT_EQ(seen.widths, (std::vector<int>{60, 90, 90, 90, 90}));
  EXPECT_EQ(seen.formats, (std::vector<int>{LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_RIGHT, LVCFMT_RIGHT,
                                            LVCFMT_RIGHT}));
  const DWORD gridAndFullRow = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
  EXPECT_EQ(seen.extendedStyle & gridAndFullRow, gridAndFullRow);

  ASSERT_NE(seen.smallImages, nullptr);
  EXPECT_EQ(seen.smallWidth, 16);
  EXPECT_EQ(seen.smallHeight, 16);
  EXPECT_EQ(seen.smallCount, 2) << L"a fixed and a network drive";
  ASSERT_NE(seen.stateImages, nullptr);
  EXPECT_EQ(seen.stateWidth, 16);
  EXPECT_EQ(seen.stateHeight, 16);
  EXPECT_EQ(seen.stateCount, 6) << L"state image 5 marks a short drive";

  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  EXPECT_NEAR(seen.window.left + seen.window.right, work.left + work.right, 2) << L"centred";
  EXPECT_NEAR(seen.window.top + seen.window.bottom, work.top + work.bottom, 2) << L"centred";

  EXPECT_EQ(kit::ResourceHandle(), before) << L"the dialog's own library swap is undone";
}

TEST_F(DiskCostDialogTest, ListsFixedAndNetworkDrivesInLetterOrderWithTheirImages) {
  RequireTestDrives();
  const std::vector<DriveReported> reported = DrivesWineReports();
  const DialogSeen seen = ShowDialog();

  ASSERT_EQ(seen.rows.size(), reported.size());
  for (std::size_t i = 0; i < reported.size(); ++i) {
    const DriveReported& drive = reported[i];
    const RowSeen& row = seen.rows[i];
    SCOPED_TRACE(drive.name);
    EXPECT_EQ(row.cells[0], drive.name);
    EXPECT_EQ(row.image, drive.image);
    EXPECT_EQ(row.stateImage, 0u);
    EXPECT_EQ(row.cells[1], Size(static_cast<int64_t>(drive.total)));

    // The dialog shows what was measured when the process first asked.
    const DriveSpace* measured = FindDrive(drive.name);
    ASSERT_NE(measured, nullptr);
    EXPECT_NEAR(static_cast<double>(measured->free), static_cast<double>(drive.free), 1024.0 * kMiB)
        << L"other processes write to the same disk, so the free space moves a little";
    EXPECT_EQ(row.cells[2], Size(static_cast<int64_t>(measured->free)));
    EXPECT_EQ(row.cells[3], Bytes(0));
    EXPECT_EQ(row.cells[4], row.cells[2]);
  }
  const RowSeen* fixed = FindRow(seen, L"C:");
  const RowSeen* network = FindRow(seen, L"N:");
  ASSERT_NE(fixed, nullptr);
  ASSERT_NE(network, nullptr);
  EXPECT_EQ(fixed->image, 0);
  EXPECT_EQ(network->image, 1);
  EXPECT_EQ(FindRow(seen, L"D:"), nullptr) << L"a CD drive is not listed";
}

TEST_F(DiskCostDialogTest, RequirementsAddUpPerDriveWithoutRegardToCase) {
  RequireTestDrives();
  ASSERT_EQ(GetDriveTypeW(L"Q:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
  const DialogSeen plain = ShowDialog();
  SetRequirements({{L"c:", 500 * kMiB},
                   {L"N:", 3 * kMiB},
                   {L"C:", 200 * kMiB},
                   {L"Q:", 900 * kMiB},
                   {L"D:", 1024 * kMiB}});
  const DialogSeen seen = ShowDialog();

  ASSERT_EQ(seen.rows.size(), plain.rows.size()) << L"requirements add no rows";
  const DriveSpace* c = FindDrive(L"C:");
  const DriveSpace* n = FindDrive(L"N:");
  ASSERT_NE(c, nullptr);
  ASSERT_NE(n, nullptr);
  EXPECT_EQ(c->required, 734003200);
  EXPECT_EQ(c->remaining, static_cast<int64_t>(c->free) - 734003200);
  for (std::size_t i = 0; i < seen.rows.size(); ++i) {
    const RowSeen& row = seen.rows[i];
    SCOPED_TRACE(row.cells[0]);
    EXPECT_EQ(row.cells[0], plain.rows[i].cells[0]);
    EXPECT_EQ(row.cells[2], plain.rows[i].cells[2]) << L"free space is not touched";
    if (row.cells[0] == L"C:") {
      EXPECT_EQ(row.cells[3], Megabytes(700));
      EXPECT_EQ(row.cells[4], Size(static_cast<int64_t>(c->free) - 700 * kMiB));
    } else if (row.cells[0] == L"N:") {
      EXPECT_EQ(row.cells[3], L"3072 KB");
      EXPECT_EQ(row.cells[4], Size(static_cast<int64_t>(n->free) - 3 * kMiB));
    } else {
      EXPECT_EQ(row.cells[3], Bytes(0)) << L"no requirement names this drive";
      EXPECT_EQ(row.cells[4], plain.rows[i].cells[4]);
    }
  }
}

TEST_F(DiskCostDialogTest, OnlyADriveBelowZeroIsMarkedShortOfSpace) {
  RequireTestDrives();
  kelvra::DiskCostDataSoFar();
  const DriveSpace* c = FindDrive(L"C:");
  const DriveSpace* n = FindDrive(L"N:");
  ASSERT_NE(c, nullptr);
  ASSERT_NE(n, nullptr);
  SetRequirements(
      {{L"C:", static_cast<int64_t>(c->free)}, {L"N:", static_cast<int64_t>(n->free) + 1}});
  const DialogSeen seen = ShowDialog();

  const RowSeen* exact = FindRow(seen, L"C:");
  const RowSeen* over = FindRow(seen, L"N:");
  ASSERT_NE(exact, nullptr);
  ASSERT_NE(over, nullptr);
  EXPECT_EQ(exact->cells[4], Bytes(0));
  EXPECT_EQ(exact->stateImage, 0u) << L"nothing left is still enough";
  EXPECT_EQ(over->cells[4], Bytes(-1));
  EXPECT_EQ(over->stateImage, 5u);
  EXPECT_TRUE(seen.shortMarkDrawn) << L"state image 5 shows nothing (IDB_DRIVE_STATE)";
  for (const RowSeen& row : seen.rows) {
    if (&row == over) continue;
    EXPECT_EQ(row.stateImage, 0u) << row.cells[0];
  }
}

TEST_F(DiskCostDialogTest, LaterOpeningsReuseTheMeasurementsAndImages) {
  kelvra::DiskCostData& data = kelvra::DiskCostDataSoFar();
  const DriveSpace* c = FindDrive(L"C:");
  ASSERT_NE(c, nullptr);
  const uint64_t measuredFree = c->free;
  // Leave 4096 bytes: a fresh measurement after the file below would go negative.
  SetRequirements({{L"C:", static_cast<int64_t>(measuredFree) - 4096}});
  const DialogSeen first = ShowDialog();

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring filler = std::wstring(temp) + L"kelvra_disk_filler.bin";
  {
    // One flushed MiB is enough to move the disk's free space.
    const kit::ScopedFile file(CreateFileW(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
    const std::vector<wchar_t> block(kMiB, L'k');
    DWORD written = 0;
    WriteFile(file.get(), block.data(), kMiB, &written, nullptr);
    FlushFileBuffers(file.get());
  }
  const ULONGLONG freeNow = FreeBytes(L"C:\\");
  const DialogSeen second = ShowDialog();
  DeleteFileW(filler.c_str());

  ASSERT_NE(freeNow, measuredFree) << L"the disk's free space did change";
  EXPECT_EQ(&kelvra::DiskCostDataSoFar(), &data);
  EXPECT_EQ(FindDrive(L"C:")->free, measuredFree);
  ASSERT_EQ(second.rows.size(), first.rows.size());
  for (std::size_t i = 0; i < first.rows.size(); ++i) {
    SCOPED_TRACE(first.rows[i].cells[0]);
    for (int column = 0; column < kColumns; ++column)
      EXPECT_EQ(second.rows[i].cells[column], first.rows[i].cells[column]);
  }
  const RowSeen* row = FindRow(second, L"C:");
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->cells[4], Bytes(4096));
  // Made by the first opening from this load of the library, left whole by
  // its dialog.
  EXPECT_EQ(second.smallImages, first.smallImages);
  EXPECT_EQ(second.stateImages, first.stateImages);
  EXPECT_EQ(second.stateCount, 6);
}

// The size column of a drive's row; empty while it has no row.
std::wstring TotalOf(HWND list, const std::wstring& drive) {
  const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < rows; ++row)
    if (test::ListCellText(list, row, 0) == drive) return test::ListCellText(list, row, 1);
  return L"";
}

// A drive that stays silent is listed as not answering once the probe's
// clock is past the deadline, whether its worker could not start or the
// dialog's timer came before the deadline (timers may run ahead of the
// tick count). N: is the only drive, so no other answer refills the rows.
TEST_F(DiskCostDialogTest, ASilentDriveIsListedOnceTheDeadlineHasPassed) {
  const std::wstring notAnswering = test::ResourceLibraryString(IDS_DRIVE_NOT_ANSWERING);
  const struct {
    const wchar_t* name;
    bool refuse;
    bool earlyTick;
  } cases[] = {{L"a worker that cannot start", true, false},
               {L"a drive still silent at an early tick", false, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ProbeStandInScope standIn(LetterBit(L'N'), L'N', c.refuse);
    kelvra::StartDriveProbe();
    std::wstring total, early;
    test::OpenPage(
        [] {
          CDiskCostDialog dialog(nullptr, kit::ResourceHandle());
          return static_cast<int>(dialog.DoModal());
        },
        [&](Ui& ui, HWND dialog) {
          HWND list = GetDlgItem(dialog, IDC_DRIVE_LIST);
          if (c.earlyTick) {
            g_standIn.now += kelvra::kDriveAnswerDeadlineMs / 2;
            SendMessageW(dialog, WM_TIMER, 1, 0);  // the deadline timer's ID
            early = TotalOf(list, L"N:");
          }
          g_standIn.now += kelvra::kDriveAnswerDeadlineMs;
          // The dialog's own timer comes within a deadline of real time.
          for (int tries = 0; tries < 400 && total != notAnswering; ++tries) {
            Sleep(20);
            total = TotalOf(list, L"N:");
          }
          ui.Click(dialog, IDOK);
          ui.WaitUntilClosed(dialog);
        });
    EXPECT_EQ(early, L"") << L"listed before the deadline";
    EXPECT_EQ(total, notAnswering) << L"N: is missing, or shows a measurement";
  }
}

// With the library gone from the disk, a dialog given the page's current
// library still has everything; one that has to load it itself shows the
// message, then an empty dialog.
TEST_F(DiskCostDialogTest, UsesThePagesLibraryAndWithoutOneReportsItMissing) {
  const HINSTANCE current = kit::ResourceHandle();
  ASSERT_EQ(current, resources_.Handle()) << L"the template still comes from the page's library";
  test::ResourceLibraryAside aside;
  for (const HINSTANCE given : {current, HINSTANCE{}}) {
    SCOPED_TRACE(given ? L"given the page's library" : L"given none");
    test::MessageBoxSeen box;
    DialogSeen seen;
    const int result = test::OpenPage(
        [given] {
          CDiskCostDialog dialog(nullptr, given);
          return static_cast<int>(dialog.DoModal());
        },
        [&](Ui& ui, HWND dialog) {
          if (!given) {  // the message comes first
            box = ui.WaitForMessageBox();
            ui.Answer(box, IDOK);
            dialog = ui.WaitForDialog();
          }
          if (!dialog) return;
          seen = ReadDialog(dialog);
          ui.Click(dialog, IDOK);
        });
    EXPECT_EQ(result, IDOK) << L"the dialog shows and closes";
    EXPECT_EQ(kit::ResourceHandle(), current);
    if (given) {
      EXPECT_NE(seen.caption, L"");
      EXPECT_FALSE(seen.rows.empty());
      continue;
    }
    EXPECT_EQ(box.text, L"Unable to load resource dll: Kelvrares.dll.");
    EXPECT_EQ(seen.caption, L"");
    EXPECT_EQ(seen.headerColumns, 0);
    EXPECT_TRUE(seen.rows.empty());
    EXPECT_EQ(seen.stateImages, nullptr);
  }
}

// ------------------------------------------------------- the Disk Cost request

class DiskCostRequestTest : public test::SetupTest {
 protected:
  void SetUp() override {
    test::SetupTest::SetUp();
    WaitForDriveAnswers();
    SetRequirements({});
  }
  void TearDown() override {
    SetRequirements({});
    test::SetupTest::TearDown();
  }

  DialogSeen PressDiskCost(const std::wstring& destination, const std::wstring& section) {
    return ShowAndRead([&] {
      ShowDiskCost(nullptr, section, destination);
      return 0;
    });
  }

  ResourceLibraryCurrent resources_;
};

TEST_F(DiskCostRequestTest, SizesComeFromTheGivenSectionOfTheGivenFile) {
  WriteDriverIni(
      L"[LUMO]\r\nDISKCOST_OS_PRODUCT=1200;350\r\n"
      L"[FERRIX]\r\nDISKCOST_OS_PRODUCT=500\r\n"
      L"[COFRA]\r\nDISKCOST_OS_PRODUCT=;800\r\n"
      L"[NERVA]\r\nDISKCOST_OS_PRODUCT=  +12 ; -7 MiB\r\n"
      L"[EMPTY]\r\nDISKCOST_OS_PRODUCT=\r\n"
      L"[ULVO]\r\nDISKCOST=1;2\r\n");
  struct Case {
    const wchar_t* section;
    int os, product;
  };
  const Case cases[] = {{L"LUMO", 1200, 350}, {L"FERRIX", 0, 0}, {L"COFRA", 0, 800},
                        {L"NERVA", 12, -7},   {L"EMPTY", 0, 0},  {L"ULVO", 0, 0},
                        {L"MISSING", 0, 0}};
  const std::wstring ini = DriverIniFile();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.section);
    const DiskCostSizes sizes = ReadDiskCostSizes(c.section, ini);
    EXPECT_EQ(sizes.os, c.os);
    EXPECT_EQ(sizes.product, c.product);
  }

  const std::wstring other = test::ProgramFolder() + L"\\disk_cost_other.ini";
  ASSERT_TRUE(WritePrivateProfileStringW(L"LUMO", L"DISKCOST_OS_PRODUCT", L"7;9", other.c_str()));
  const DiskCostSizes given = ReadDiskCostSizes(L"LUMO", other);
  EXPECT_EQ(given.os, 7) << L"the file asked for, not the driver's";
  EXPECT_EQ(given.product, 9);
  DeleteFileW(other.c_str());
  const DiskCostSizes missing = ReadDiskCostSizes(L"LUMO", other);
  EXPECT_EQ(missing.os, 0) << L"a missing file gives nothing";
  EXPECT_EQ(missing.product, 0);
}

TEST_F(DiskCostRequestTest, DiskCostAsksForTheSystemDriveAndTheDestinationDrive) {
  RequireTestDrives();
  WriteDriverIni(L"[LUMO]\r\nDISKCOST_OS_PRODUCT=1200;350\r\n");
  ASSERT_STREQ(_wgetenv(L"SystemDrive"), L"C:");
  DialogSeen seen = PressDiskCost(L"n:\\Kelvra\\Lumo", L"LUMO");
  const std::vector<DriveSpace>& requirements = kelvra::DiskCostDataSoFar().requirements;
  ASSERT_EQ(requirements.size(), 2u);
  EXPECT_EQ(requirements[0].name, L"C:");
  EXPECT_EQ(requirements[0].required, 1258291200);
  EXPECT_EQ(requirements[1].name, L"n:");
  EXPECT_EQ(requirements[1].required, 367001600);
  ASSERT_NE(FindRow(seen, L"C:"), nullptr);
  ASSERT_NE(FindRow(seen, L"N:"), nullptr);
  EXPECT_EQ(FindRow(seen, L"C:")->cells[3], Megabytes(1200));
  EXPECT_EQ(FindRow(seen, L"N:")->cells[3], Megabytes(350))
      << L"the typed letter matches without case";

  // Pressed again with the destination on the system drive: the two add up,
  // and the first press's requirements are gone.
  seen = PressDiskCost(L"C:\\Program Files\\Kelvra", L"LUMO");
  EXPECT_EQ(kelvra::DiskCostDataSoFar().requirements.size(), 2u);
  ASSERT_NE(FindRow(seen, L"C:"), nullptr);
  ASSERT_NE(FindRow(seen, L"N:"), nullptr);
  EXPECT_EQ(FindRow(seen, L"C:")->cells[3], Megabytes(1550));
  EXPECT_EQ(FindRow(seen, L"N:")->cells[3], Bytes(0));

  // No destination, or one without a drive letter, counts on no drive.
  for (const wchar_t* destination : {L"", L"\\\\server\\share"}) {
    SCOPED_TRACE(destination);
    seen = PressDiskCost(destination, L"LUMO");
    EXPECT_EQ(kelvra::DiskCostDataSoFar().requirements.size(), 2u);
    for (const RowSeen& row : seen.rows)
      EXPECT_EQ(row.cells[3], row.cells[0] == L"C:" ? Megabytes(1200) : Bytes(0)) << row.cells[0];
  }
}

TEST_F(DiskCostRequestTest, WithoutSystemDriveTheFirstRequirementMatchesNoDrive) {
  WriteDriverIni(L"[FERRIX]\r\nDISKCOST_OS_PRODUCT=1200;350\r\n");
  EXPECT_EQ(GetSystemDriveLetter(), L'C');
  ASSERT_TRUE(SetEnvironmentVariableW(L"SystemDrive", L"E:"));
  EXPECT_EQ(GetSystemDriveLetter(), L'E');
  ASSERT_TRUE(SetEnvironmentVariableW(L"SystemDrive", nullptr));
  EXPECT_EQ(GetSystemDriveLetter(), L'%') << L"an unset variable stays unexpanded";

  const DialogSeen seen = PressDiskCost(L"", L"FERRIX");
  SetEnvironmentVariableW(L"SystemDrive", L"C:");

  const std::vector<DriveSpace>& requirements = kelvra::DiskCostDataSoFar().requirements;
  ASSERT_EQ(requirements.size(), 2u);
  EXPECT_EQ(requirements[0].name, L"%:");
  EXPECT_EQ(requirements[0].required, 1258291200);
  EXPECT_FALSE(seen.rows.empty());
  for (const RowSeen& row : seen.rows) EXPECT_EQ(row.cells[3], Bytes(0)) << row.cells[0];
}

// A round starts from a Disk Cost request alone. Reading the drives, as
// every answer and tick of an open dialog does, starts none, even when the
// last round found no drive to list; the next request starts one.
TEST_F(DiskCostRequestTest, OnlyARequestStartsARound) {
  WriteDriverIni(L"[LUMO]\r\nDISKCOST_OS_PRODUCT=1200;350\r\n");
  const ProbeStandInScope standIn(LetterBit(L'D'));  // a CD drive alone: none to list
  kelvra::DiskCostDataSoFar();
  EXPECT_EQ(g_standIn.workersAsked.load(), 0) << L"reading started a round";
  for (int press = 1; press <= 2; ++press) {
    SCOPED_TRACE(press);
    bool settled = false;
    test::OpenPage(
        [] {
          ShowDiskCost(nullptr, L"LUMO", L"C:\\Kelvra");
          return 0;
        },
        [&](Ui& ui, HWND dialog) {
          settled = WaitForSettled();
          ui.Click(dialog, IDOK);
          ui.WaitUntilClosed(dialog);
        });
    EXPECT_TRUE(settled);
    kelvra::DiskCostDataSoFar();
    EXPECT_TRUE(WaitForSettled());
    EXPECT_EQ(g_standIn.workersAsked.load(), press) << L"a round was started by reading";
  }
}

}  // namespace
