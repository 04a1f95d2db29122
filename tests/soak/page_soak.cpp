// page_soak [calls [export,...]]: calls every export of Kelvra.dll the given number of
// times (1000 unless told), ending the pages in turn with Next, Back and a
// confirmed Cancel, with the Disk Cost dialog and the feature popup opened
// on the way where a page has them. After each call every window, font and
// menu the robot saw must be gone; at intervals the process's private bytes
// and handle count are printed and must not grow past a warm-up allowance,
// beyond what the platform itself keeps of every dialog.
// The last line is "soak: passed" or what was left behind or grew.
#include <windows.h>

#include <psapi.h>  // needs windows.h first

#include <algorithm>
#include <atomic>
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "driver/setup_driver.h"
#include "kit/activation_context.h"
#include "kit/scoped_handle.h"
#include "kit/text_format.h"
#include "include/kelvra.h"
#include "res/kelvra_ids.h"
#include "resdll/kelvrares_ids.h"

namespace {

// Growth past the warm-up level that still counts as noise: the heap keeps
// some freed pages, and Wine's own services open a handle now and then.
constexpr SIZE_T kPrivateBytesAllowance = 512 * 1024;
constexpr SIZE_T kHeapAllowance = 128 * 1024;
constexpr DWORD kHandleAllowance = 8;
constexpr DWORD kWaitMs = 10000;

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\'));
}

struct Find {
  const wchar_t* cls;
  HWND other;
  HWND found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM data) {
  auto* find = reinterpret_cast<Find*>(data);
  wchar_t cls[16] = L"";
  GetClassNameW(window, cls, std::size(cls));
  if (lstrcmpW(cls, find->cls) != 0 || !IsWindowVisible(window) || window == find->other)
    return TRUE;
  find->found = window;
  return FALSE;
}

enum class Ending { kNext, kBack, kCancel };
const wchar_t* const kEndingNames[] = {L"Next", L"Back", L"Cancel"};

// What one call showed, as the robot saw it.
struct Call {
  DWORD thread = 0;
  Ending ending = Ending::kNext;
  std::atomic<bool> returned{false};
  std::vector<HWND> windows;
  int dialogs = 0;  // of the windows, those that were dialogs
  std::vector<HGDIOBJ> fonts;
  std::vector<HMENU> menus;
  std::wstring problem;
};

// A visible window of class `cls` on the call's thread other than `other`;
// null once the call has returned or the wait is over.
HWND WaitFor(const Call& call, const wchar_t* cls, HWND other = nullptr) {
  const DWORD start = GetTickCount();
  while (!call.returned && GetTickCount() - start < kWaitMs) {
    Find find{cls, other, nullptr};
    EnumThreadWindows(call.thread, FindVisible, reinterpret_cast<LPARAM>(&find));
    if (find.found) return find.found;
    Sleep(1);
  }
  return nullptr;
}

void WaitUntilIdle(HWND window) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, kWaitMs, &ignored);
}

bool WaitUntilClosed(HWND window) {
  const DWORD start = GetTickCount();
  while (IsWindow(window)) {
    if (GetTickCount() - start > kWaitMs) return false;
    Sleep(1);
  }
  return true;
}

void Press(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

void OpenDiskCost(Call* call, HWND page) {
  Press(page, IDC_DISK_COST);
  HWND dialog = WaitFor(*call, L"#32770", page);
  if (!dialog) {
    call->problem = L"the Disk Cost dialog did not open";
    return;
  }
  call->windows.push_back(dialog);
  ++call->dialogs;
  WaitUntilIdle(dialog);
  Press(dialog, IDOK);
  if (!WaitUntilClosed(dialog)) call->problem = L"the Disk Cost dialog did not close";
}

void OpenFeaturePopup(Call* call, HWND page) {
  HWND tree = GetDlgItem(page, IDC_FEATURE_TREE);
  const auto root = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  const auto child = reinterpret_cast<HTREEITEM>(
      SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
  if (!root) {
    call->problem = L"the feature page shows no feature";
    return;
  }
  // A sub-feature's popup offers every state.
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(child ? child : root));
  PostMessageW(tree, WM_KEYDOWN, VK_SPACE, 0);
  HWND popup = WaitFor(*call, L"#32768");
  if (!popup) {
    call->problem = L"the feature popup did not open";
    return;
  }
  call->windows.push_back(popup);
  if (auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0)))
    call->menus.push_back(menu);
  PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
  if (!WaitUntilClosed(popup)) call->problem = L"the feature popup did not close";
  WaitUntilIdle(page);
}

// A thread procedure, so WINAPI: a lambda would have the wrong calling
// convention in a 32-bit build.
DWORD WINAPI Robot(void* data) {
  auto* call = static_cast<Call*>(data);
  HWND page = WaitFor(*call, L"#32770");
  if (!page) {
    if (!call->returned) call->problem = L"no page appeared";
    return 0;
  }
  call->windows.push_back(page);
  ++call->dialogs;
  WaitUntilIdle(page);
  if (HWND heading = GetDlgItem(page, IDC_HEADING))
    if (auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(heading, WM_GETFONT, 0, 0)))
      call->fonts.push_back(font);
  if (call->ending == Ending::kNext) {
    if (GetDlgItem(page, IDC_DISK_COST)) OpenDiskCost(call, page);
    if (GetDlgItem(page, IDC_FEATURE_TREE)) OpenFeaturePopup(call, page);
  }
  switch (call->ending) {
    case Ending::kNext:
      Press(page, IDC_NEXT);
      break;
    case Ending::kBack:
      Press(page, IDC_BACK);
      break;
    case Ending::kCancel: {
      Press(page, IDCANCEL);
      HWND box = WaitFor(*call, L"#32770", page);
      if (!box) {
        call->problem = L"Cancel asked nothing";
        Press(page, IDC_BACK);
        break;
      }
      call->windows.push_back(box);
      ++call->dialogs;
      Press(box, IDYES);
      break;
    }
  }
  return 0;
}

int ExpectedResult(Ending ending) {
  switch (ending) {
    case Ending::kNext:
      return KELVRA_NEXT;
    case Ending::kBack:
      return KELVRA_BACK;
    case Ending::kCancel:
      return KELVRA_CANCEL;
  }
  return -1;
}

// One call of `show` driven by the robot; empty when all went well. Adds
// the dialogs it saw to `dialogs`.
std::wstring OneCall(KelvraPageFunction show, Ending ending, long* dialogs) {
  Call call;
  call.thread = GetCurrentThreadId();
  call.ending = ending;
  kit::ScopedKernelHandle robot(CreateThread(nullptr, 0, Robot, &call, 0, nullptr));
  if (!robot) return L"no robot thread";
  const int result = show();
  call.returned = true;
  WaitForSingleObject(robot.get(), INFINITE);
  *dialogs += call.dialogs;
  if (!call.problem.empty()) return call.problem;
  if (result != ExpectedResult(ending))
    return L"returned " + std::to_wstring(result) + L" after " + kEndingNames[int(ending)];
  for (HWND window : call.windows)
    if (IsWindow(window)) return L"a window outlived the call";
  for (HGDIOBJ font : call.fonts)
    if (GetObjectType(font)) return L"the heading font outlived the call";
  for (HMENU menu : call.menus)
    if (IsMenu(menu)) return L"the popup menu outlived the call";
  return std::wstring();
}

struct Usage {
  SIZE_T privateBytes = 0;
  SIZE_T heapInUse = 0;
  DWORD handles = 0;
};

// Bytes in blocks the process's heaps have handed out and not had back:
// growth here is memory held, not merely a heap that keeps freed pages.
SIZE_T HeapBytesInUse() {
  HANDLE heaps[64];
  const DWORD count = GetProcessHeaps(64, heaps);
  SIZE_T total = 0;
  for (DWORD i = 0; i < count && i < 64; ++i) {
    if (!HeapLock(heaps[i])) continue;
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heaps[i], &entry))
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
    HeapUnlock(heaps[i]);
  }
  return total;
}

// Committed private memory, region by region.
SIZE_T CommittedPrivateBytes() {
  SIZE_T total = 0;
  MEMORY_BASIC_INFORMATION region{};
  const wchar_t* address = nullptr;
  while (VirtualQuery(address, &region, sizeof region)) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    const wchar_t* next = static_cast<const wchar_t*>(region.BaseAddress) + region.RegionSize;
    if (next <= address) break;
    address = next;
  }
  return total;
}

// Handle values are small multiples of 4, handed out lowest first.
DWORD OpenHandles() {
  DWORD count = 0;
  DWORD flags = 0;
  for (ULONG_PTR value = 4; value < 4 * 16384; value += 4)
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
  return count;
}

// Wine reports 0 for PrivateUsage and for the handle count; there the two
// are measured instead.
Usage ProcessUsage() {
  Usage usage;
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(GetCurrentProcess(),
                           reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters))
    usage.privateBytes = counters.PrivateUsage;
  if (!usage.privateBytes) usage.privateBytes = CommittedPrivateBytes();
  usage.heapInUse = HeapBytesInUse();
  GetProcessHandleCount(GetCurrentProcess(), &usage.handles);
  if (!usage.handles) usage.handles = OpenHandles();
  return usage;
}

// What the platform itself keeps of every dialog made under common
// controls 6, as the pages are: a bare dialog of a page's template, made and
// ended many times under Kelvra.dll's own activation context, with no
// Kelvra code in the way. (Wine keeps about a hundred bytes of each in its
// heap, twice that in committed memory.) Growth up to this much per dialog
// is not the pages'.
INT_PTR CALLBACK EndAtOnce(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  EndDialog(dialog, 1);
  return TRUE;
}

struct PerDialog {
  double privateBytes = 0;
  double heapInUse = 0;
};

PerDialog PlatformShareOfADialog(HMODULE library, const std::wstring& folder) {
  const kit::ScopedModule resources(
      LoadLibraryExW((folder + L"\\Kelvrares.dll").c_str(), nullptr,
                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  const kit::ActivationContext styles = kit::CreateActivationContext(library, IDR_PAGE_MANIFEST);
  if (!resources) return PerDialog();
  const kit::ScopedActivation active = kit::Activate(styles);
  const auto bareDialog = [&] {
    DialogBoxParamW(resources.get(), MAKEINTRESOURCEW(IDD_PART_MODIFICATION), nullptr, EndAtOnce,
                    0);
  };
  // Private bytes move in 64 KiB steps: enough dialogs to take several.
  constexpr int kDialogs = 2000;
  for (int i = 0; i < 20; ++i) bareDialog();
  const Usage before = ProcessUsage();
  for (int i = 0; i < kDialogs; ++i) bareDialog();
  const Usage after = ProcessUsage();
  const auto per = [](SIZE_T from, SIZE_T to) {
    return to > from ? static_cast<double>(to - from) / kDialogs : 0.0;
  };
  return {per(before.privateBytes, after.privateBytes), per(before.heapInUse, after.heapInUse)};
}

void PrintUsage(int round, const Usage& usage, const PerDialog& perDialog, long dialogs) {
  std::wprintf(
      L"after %d calls per page: private %lu KiB, heap blocks in use %lu KiB (the platform's share "
      L"of the growth %.0f and %.0f KiB), %lu handles\n",
      round, static_cast<unsigned long>(usage.privateBytes / 1024),
      static_cast<unsigned long>(usage.heapInUse / 1024), perDialog.privateBytes * dialogs / 1024,
      perDialog.heapInUse * dialogs / 1024, static_cast<unsigned long>(usage.handles));
}

// What grew past the warm-up level, less the platform's share; empty when
// nothing did.
std::wstring Growth(const Usage& baseline, const Usage& now, const PerDialog& perDialog,
                    long dialogs) {
  const auto past = [&](SIZE_T from, SIZE_T to, double share, SIZE_T allowance) {
    return static_cast<double>(to) > static_cast<double>(from) + share * dialogs + allowance;
  };
  const auto kib = [](SIZE_T bytes) { return std::to_wstring(bytes / 1024) + L" KiB"; };
  if (past(baseline.privateBytes, now.privateBytes, perDialog.privateBytes, kPrivateBytesAllowance))
    return L"private bytes grew from " + kib(baseline.privateBytes) + L" to " +
           kib(now.privateBytes);
  if (past(baseline.heapInUse, now.heapInUse, perDialog.heapInUse, kHeapAllowance))
    return L"heap blocks in use grew from " + kib(baseline.heapInUse) + L" to " +
           kib(now.heapInUse);
  if (now.handles > baseline.handles + kHandleAllowance)
    return L"handle count grew from " + std::to_wstring(baseline.handles) + L" to " +
           std::to_wstring(now.handles);
  return std::wstring();
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const int calls = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
  const std::wstring folder = ProgramFolder();
  // The pages read the driver INI beside the executable: this program's.
  CopyFileW((folder + L"\\Setup.ini").c_str(), (folder + L"\\page_soak.ini").c_str(), FALSE);
  const DriverSettings settings = ReadDriverSettings(folder + L"\\page_soak.ini");
  WriteDriverValues(settings);
  const kit::ScopedModule library(LoadLibraryW((folder + L"\\Kelvra.dll").c_str()));
  if (!library) {
    std::wprintf(L"soak: Kelvra.dll or the page list is missing from %ls\n", folder.c_str());
    return 2;
  }
  std::vector<KelvraPageFunction> shows;
  // A second argument soaks those exports alone: one name, or several with
  // commas between.
  std::vector<WizardPage> pages;
  for (const WizardPage& page : settings.pages)
    if (argc < 3 || (L"," + kit::Widened(argv[2]) + L",").find(L"," + page.exportName + L",") !=
                        std::wstring::npos)
      pages.push_back(page);
  for (const WizardPage& page : pages) {
    shows.push_back(GetKelvraPage(library.get(), kit::Ascii(page.exportName).c_str()));
    if (!shows.back()) {
      std::wprintf(L"soak: no export %ls\n", page.exportName.c_str());
      return 2;
    }
  }
  if (pages.empty()) {
    std::wprintf(L"soak: no pages to call\n");
    return 2;
  }
  std::wprintf(L"soak: %d calls on each of %zu pages\n", calls, pages.size());
  const PerDialog perDialog = PlatformShareOfADialog(library.get(), folder);
  std::wprintf(
      L"the platform keeps %.0f bytes (%.0f in heap blocks) of each dialog under common controls "
      L"6\n",
      perDialog.privateBytes, perDialog.heapInUse);

  // The first rounds load what a process loads once; growth counts from there.
  const int warmUp = std::min(calls, std::max(3, calls / 20));
  const int interval = std::max(1, calls / 10);
  Usage baseline;
  long dialogs = 0, dialogsAtBaseline = 0;
  std::wstring failure;
  for (int round = 1; round <= calls && failure.empty(); ++round) {
    const auto ending = static_cast<Ending>((round - 1) % 3);
    for (size_t i = 0; i < shows.size() && failure.empty(); ++i) {
      WriteActiveProduct(pages[i].active);
      const std::wstring problem = OneCall(shows[i], ending, &dialogs);
      if (!problem.empty())
        failure = pages[i].exportName + L", call " + std::to_wstring(round) + L" (" +
                  kEndingNames[int(ending)] + L"): " + problem;
    }
    if (round == warmUp) {
      baseline = ProcessUsage();
      dialogsAtBaseline = dialogs;
      PrintUsage(round, baseline, perDialog, 0);
      std::wprintf(L"warm-up level set; allowance %lu KiB private, %lu KiB heap, %lu handles\n",
                   static_cast<unsigned long>(kPrivateBytesAllowance / 1024),
                   static_cast<unsigned long>(kHeapAllowance / 1024),
                   static_cast<unsigned long>(kHandleAllowance));
    } else if (round > warmUp && (round % interval == 0 || round == calls)) {
      const Usage now = ProcessUsage();
      PrintUsage(round, now, perDialog, dialogs - dialogsAtBaseline);
      failure = Growth(baseline, now, perDialog, dialogs - dialogsAtBaseline);
    }
  }
  if (!failure.empty()) {
    std::wprintf(L"soak: FAILED: %ls\n", failure.c_str());
    return 1;
  }
  std::wprintf(L"soak: passed\n");
  return 0;
}
