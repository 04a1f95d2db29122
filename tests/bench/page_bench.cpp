// page_bench [runs [what]]: how long each page takes against the platform's own
// cost, a bare dialog of the same template; the Disk Cost dialog, first and
// later; and how the feature page grows with its feature list. Prints one
// "name: value (goal ...)" line per figure and "N of M goals met" last.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>
#ifdef KELVRA_CALLGRIND
#include <cstdint>  // before valgrind's header, which needs it

#include "callgrind.h"
#else
#define CALLGRIND_ZERO_STATS
#define CALLGRIND_DUMP_STATS
#endif

#include "driver/setup_driver.h"
#include "framework/ini_file.h"
#include "kit/activation_context.h"
#include "kit/scoped_handle.h"
#include "kit/text_format.h"
#include "include/kelvra.h"
#include "res/kelvra_ids.h"
#include "resdll/kelvrares_ids.h"
#include "tests/win/support/page_table.h"
#include "tests/win/support/scoped_test_handles.h"

namespace {

double NowMs() {
  static const LONGLONG frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency);
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\'));
}

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM found) {
  wchar_t cls[16] = L"";
  GetClassNameW(window, cls, std::size(cls));
  if (lstrcmpW(cls, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  auto* result = reinterpret_cast<HWND*>(found);
  if (window == result[1]) return TRUE;  // the one to look past
  result[0] = window;
  return FALSE;
}

// The thread's visible dialog other than `other`. Looked for every
// millisecond rather than in a busy loop: on a machine with few cores a
// spinning watcher would take the time the page needs.
HWND WaitForDialog(DWORD thread, HWND other = nullptr) {
  const double start = NowMs();
  while (NowMs() - start < 600000) {  // a page with a long feature list takes a while
    HWND found[2] = {nullptr, other};
    EnumThreadWindows(thread, FindVisibleDialog, reinterpret_cast<LPARAM>(found));
    if (found[0]) return found[0];
    Sleep(1);
  }
  return nullptr;
}

// Returns once `window`'s thread has painted it and has nothing left to do.
void WaitUntilIdle(HWND window) {
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 600000, nullptr);
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 600000, nullptr);
}

void WaitUntilClosed(HWND window) {
  while (IsWindow(window)) Sleep(1);
}

struct Timing {
  double shown = 0;  // from the call until the page is painted and idle
  double next = 0;   // from Next until the call returns
};

// Runs `show` on this thread while a second thread waits for its dialog,
// lets it go idle, presses Next (or, with `act`, does that instead).
struct RobotRun {
  DWORD thread;
  const std::function<void(HWND)>* act;
  HWND other;  // a dialog already up, not the one to press
  double start, idle, pressed;
};

// A thread procedure, so WINAPI: a lambda would have the wrong calling
// convention in a 32-bit build.
DWORD WINAPI PressNextWhenIdle(void* data) {
  auto* r = static_cast<RobotRun*>(data);
  HWND page = WaitForDialog(r->thread, r->other);
  if (!page) return 0;
  WaitUntilIdle(page);
  r->idle = NowMs();
  if (*r->act) (*r->act)(page);
  r->pressed = NowMs();
  PostMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_NEXT, BN_CLICKED), 0);
  return 0;
}

Timing TimeOneCall(const std::function<int()>& show, const std::function<void(HWND)>& act = nullptr,
                   HWND other = nullptr) {
  RobotRun run{GetCurrentThreadId(), &act, other, 0, 0, 0};
  kit::ScopedKernelHandle thread(CreateThread(nullptr, 0, PressNextWhenIdle, &run, 0, nullptr));
  run.start = NowMs();
  show();
  const double end = NowMs();
  WaitForSingleObject(thread.get(), INFINITE);
  return {run.idle - run.start, end - run.pressed};
}

// Gives the Disk Cost template's list the dialog's five column headings,
// from `resources`: the part of the dialog that costs most to draw.
void AddDiskCostHeadings(HWND dialog, HMODULE resources) {
  HWND list = GetDlgItem(dialog, IDC_DRIVE_LIST);
  for (UINT id = IDS_DRIVE_COLUMN; id <= IDS_REMAINING_COLUMN; ++id) {
    wchar_t heading[64] = L"";
    LoadStringW(resources, id, heading, std::size(heading));
    const int index = static_cast<int>(id - IDS_DRIVE_COLUMN);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = index == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT;
    column.cx = index == 0 ? 60 : 90;
    column.pszText = heading;
    SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
  }
}

// `headings`, when not null, is the library to give a Disk Cost template
// its column headings from.
INT_PTR CALLBACK BareProc(HWND dialog, UINT message, WPARAM wParam, LPARAM headings) {
  if (message == WM_INITDIALOG) {
    if (headings) AddDiskCostHeadings(dialog, reinterpret_cast<HMODULE>(headings));
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDC_NEXT || LOWORD(wParam) == IDOK)) {
    EndDialog(dialog, 1);
    return TRUE;
  }
  return FALSE;
}

// A bare modal dialog of `templateId`, owned by `owner`: with `styles`,
// under the same common controls the pages run under, else under the
// process's own.
Timing TimeBareCall(HMODULE resources, UINT templateId, const kit::ActivationContext* styles,
                    HWND owner = nullptr) {
  return TimeOneCall(
      [&] {
        kit::ScopedActivation active;
        if (styles) active = kit::Activate(*styles);
        return static_cast<int>(
            DialogBoxParamW(resources, MAKEINTRESOURCEW(templateId), owner, BareProc, 0));
      },
      nullptr, owner);
}

class Report {
 public:
  void Figure(const std::wstring& name, const wchar_t* format, double value) {
    std::wprintf(L"%ls: ", name.c_str());
    std::wprintf(format, value);
    std::wprintf(L"\n");
  }
  void Goal(const std::wstring& name, double ratio, double goal, const std::wstring& detail) {
    const bool met = ratio <= goal;
    ++goals_;
    met_ += met ? 1 : 0;
    std::wprintf(L"%ls: %.2fx (goal <= %.2fx, %ls; %s)\n", name.c_str(), ratio, goal,
                 met ? L"met" : L"missed", detail.c_str());
  }
  void Finish() const { std::wprintf(L"%d of %d goals met\n", met_, goals_); }

 private:
  int goals_ = 0;
  int met_ = 0;
};

std::wstring Ms(double a, double b) {
  wchar_t text[96];
  std::swprintf(text, std::size(text), L"%.2f ms against %.2f ms", a, b);
  return text;
}

// The template of the bare dialog an export is measured against; 0 for none.
UINT TemplateOf(const std::wstring& exportName) {
  const test::PageRow* page = test::FindPage(exportName);
  return page ? page->templateId : 0;
}

void BenchPages(HMODULE library, HMODULE resources, const kit::ActivationContext& styles,
                const DriverSettings& settings, int runs, const std::wstring& only,
                Report* report) {
  for (const WizardPage& page : settings.pages) {
    if (!only.empty() && page.exportName != only) continue;
    KelvraPageFunction show = GetKelvraPage(library, kit::Ascii(page.exportName).c_str());
    const UINT templateId = TemplateOf(page.exportName);
    if (!show || !templateId) {
      std::wprintf(L"%ls: not measured (no export or no bare template)\n", page.exportName.c_str());
      continue;
    }
    WriteActiveProduct(page.active);
    std::vector<double> shown, next, bareShown, bareNext, bare5;
    TimeOneCall(show);  // warm-up: first-time costs of the process are not the page's
    for (int run = 0; run < runs; ++run) {
      // Interleaved, so that a slower moment of the machine weighs on all.
      const Timing timed = TimeOneCall(show);
      const Timing bare = TimeBareCall(resources, templateId, &styles);
      const Timing plain = TimeBareCall(resources, templateId, nullptr);
      shown.push_back(timed.shown);
      next.push_back(timed.next);
      bareShown.push_back(bare.shown);
      bareNext.push_back(bare.next);
      bare5.push_back(plain.shown + plain.next);
    }
    const double page_ms = Median(shown) + Median(next);
    const double bare_ms = Median(bareShown) + Median(bareNext);
    report->Figure(page.exportName + L" shown and idle", L"%.2f ms", Median(shown));
    report->Figure(page.exportName + L" Next to return", L"%.2f ms", Median(next));
    report->Figure(page.exportName + L" bare shown and idle", L"%.2f ms", Median(bareShown));
    report->Figure(page.exportName + L" bare Next to return", L"%.2f ms", Median(bareNext));
    report->Figure(page.exportName + L" against a bare dialog of the driver's common controls",
                   L"%.2fx", page_ms / Median(bare5));
    report->Goal(page.exportName + L" against its bare dialog, same common controls",
                 page_ms / bare_ms, 1.10, Ms(page_ms, bare_ms));
  }
}

// For an instruction profile: a thread timer, so nothing but the page runs
// in the process. It fires once the page's queue is empty, that is once the
// page is painted and idle, and presses Next.
void CALLBACK PressNextFromTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND found[2] = {nullptr, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindVisibleDialog, reinterpret_cast<LPARAM>(found));
  if (!found[0]) return;
  KillTimer(nullptr, timer);
  PostMessageW(found[0], WM_COMMAND, MAKEWPARAM(IDC_NEXT, BN_CLICKED), 0);
}

void OpenUntilNext(const std::function<int()>& show) {
  SetTimer(nullptr, 0, USER_TIMER_MINIMUM, PressNextFromTimer);
  show();
}

// Under callgrind, these openings alone go into a dump of their own.
void ProfiledOpenings(const std::function<int()>& show, int runs) {
  CALLGRIND_ZERO_STATS;
  for (int run = 0; run < runs; ++run) OpenUntilNext(show);
  CALLGRIND_DUMP_STATS;
}

// "profile:<export>" opens the page `runs` times, "profile-bare:<export>" its
// bare dialog under the pages' common controls, "profile-plain:<export>"
// under the driver's; each after one opening that is not counted
// (tools/profile-page.sh).
bool Profile(HMODULE library, HMODULE resources, const kit::ActivationContext& styles,
             const DriverSettings& settings, const std::wstring& part, int runs) {
  const std::size_t colon = part.find(L':');
  const std::wstring mode = part.substr(0, colon), exportName = part.substr(colon + 1);
  const WizardPage* page = nullptr;
  for (const WizardPage& each : settings.pages)
    if (each.exportName == exportName) page = &each;
  KelvraPageFunction export_ = GetKelvraPage(library, kit::Ascii(exportName).c_str());
  const UINT templateId = TemplateOf(exportName);
  if (!page || !export_ || !templateId) return false;
  WriteActiveProduct(page->active);
  const kit::ActivationContext* controls = mode == L"profile-plain" ? nullptr : &styles;
  std::function<int()> show = [&] {
    kit::ScopedActivation active;
    if (controls) active = kit::Activate(*controls);
    return static_cast<int>(
        DialogBoxParamW(resources, MAKEINTRESOURCEW(templateId), nullptr, BareProc, 0));
  };
  if (mode == L"profile") show = export_;
  OpenUntilNext(show);
  ProfiledOpenings(show, runs);
  std::wprintf(L"%ls: %d openings\n", part.c_str(), runs);
  return true;
}

// What the page thread's message hook opens when the robot posts kOpenBare:
// the bare counterpart of the Disk Cost dialog, modal over the page; with
// wParam 1, with the dialog's column headings.
constexpr UINT kOpenBare = WM_APP + 0x4B;  // a message the page ignores
struct BareDiskCost {
  HMODULE resources;
  const kit::ActivationContext* styles;
};
BareDiskCost g_bareDiskCost{};

// The page knows no message that opens a bare dialog, so a hook on its
// thread opens it from the page's own message loop, as a click opens Disk Cost.
LRESULT CALLBACK OpenBareDiskCost(int code, WPARAM wParam, LPARAM lParam) {
  auto* message = reinterpret_cast<MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && message->message == kOpenBare) {
    message->message = WM_NULL;
    const kit::ScopedActivation active = kit::Activate(*g_bareDiskCost.styles);
    const LPARAM headings =
        message->wParam ? reinterpret_cast<LPARAM>(g_bareDiskCost.resources) : 0;
    DialogBoxParamW(g_bareDiskCost.resources, MAKEINTRESOURCEW(IDD_DISK_COST), message->hwnd,
                    BareProc, headings);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Posts `message` to the page and returns the time until the dialog it
// opens is idle; then closes that dialog.
double TimeOpeningOverPage(HWND page, UINT message, WPARAM wParam) {
  const double start = NowMs();
  PostMessageW(page, message, wParam, 0);
  HWND dialog = WaitForDialog(GetWindowThreadProcessId(page, nullptr), page);
  if (!dialog) return -1;
  WaitUntilIdle(dialog);
  const double idle = NowMs() - start;
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  WaitUntilClosed(dialog);
  return idle;
}

struct DiskCostTimes {
  double first = -1;
  std::vector<double> later, bare, bareWithHeadings;
};

// On the install destination page: the first Disk Cost opening, then `runs`
// later ones, each followed by a bare dialog of its template opened the same
// way, so that a slower moment of the machine weighs on both.
DiskCostTimes TimeDiskCostOpenings(HMODULE library, HMODULE resources,
                                   const kit::ActivationContext& styles, int runs) {
  DiskCostTimes times;
  KelvraPageFunction show = GetKelvraPage(library, "InstallDestinationDlg");
  if (!show) return times;
  g_bareDiskCost = {resources, &styles};
  const test::ScopedHook hook(
      SetWindowsHookExW(WH_GETMESSAGE, OpenBareDiskCost, nullptr, GetCurrentThreadId()));
  const WPARAM diskCost = MAKEWPARAM(IDC_DISK_COST, BN_CLICKED);
  TimeOneCall(show, [&](HWND page) {
    times.first = TimeOpeningOverPage(page, WM_COMMAND, diskCost);
    for (int run = 0; run < runs && times.first >= 0; ++run) {
      const double later = TimeOpeningOverPage(page, WM_COMMAND, diskCost);
      const double bare = TimeOpeningOverPage(page, kOpenBare, 0);
      const double withHeadings = TimeOpeningOverPage(page, kOpenBare, 1);
      if (later < 0 || bare < 0 || withHeadings < 0) return;
      times.later.push_back(later);
      times.bare.push_back(bare);
      times.bareWithHeadings.push_back(withHeadings);
    }
  });
  return times;
}

void BenchDiskCost(HMODULE library, HMODULE resources, const kit::ActivationContext& styles,
                   int runs, Report* report) {
  WriteActiveProduct(L"LUMO");
  const DiskCostTimes times = TimeDiskCostOpenings(library, resources, styles, runs);
  if (times.first < 0 || static_cast<int>(times.later.size()) != runs) {
    std::wprintf(L"Disk Cost: not measured\n");
    return;
  }
  const double later = Median(times.later);
  const double bare = Median(times.bare);
  report->Figure(L"Disk Cost first opening, drives measured", L"%.2f ms", times.first);
  report->Figure(L"Disk Cost later openings", L"%.2f ms", later);
  report->Figure(L"Disk Cost bare dialog over a page", L"%.2f ms", bare);
  // No goal: how much of the gap the themed column headings alone take.
  const double withHeadings = Median(times.bareWithHeadings);
  report->Figure(L"Disk Cost bare dialog with its five column headings", L"%.2f ms", withHeadings);
  report->Figure(L"Disk Cost later openings against the bare dialog with headings", L"%.2fx",
                 later / withHeadings);
  report->Goal(L"Disk Cost later openings against the bare dialog", later / bare, 1.2,
               Ms(later, bare));
}

// How the features of a generated list hang together.
enum class FeatureShape {
  kProduct,  // a tenth at the top level, the rest children and grandchildren
  kChain,    // each feature the only child of the one before
  kFlat,     // all at the top level: siblings as many as features
};

// An Options.ini with `count` features of `shape`.
void WriteFeatureList(const std::wstring& file, int count, FeatureShape shape) {
  std::wstring text =
      L"[TREL_OPTIONS]\r\nFEATURE_SELECTION=LUMO\r\n[LUMO]\r\nPRODUCT_NAME=Lumo\r\n";
  int topLevel = 0, child = 0;
  for (int n = 1; n <= count; ++n) {
    std::wstring name = L"F" + std::to_wstring(n), parent;
    bool hasChildren = true;
    if (shape == FeatureShape::kChain) {
      if (n > 1) parent = L"F" + std::to_wstring(n - 1);
    } else if (shape == FeatureShape::kFlat) {
      hasChildren = false;
    } else if (n % 10 == 1) {
      topLevel = n;
    } else if (n % 10 <= 4) {
      parent = L"F" + std::to_wstring(topLevel);
      child = n;
    } else {
      parent = L"F" + std::to_wstring(child);
      hasChildren = false;
    }
    text += L"FEATURE" + std::to_wstring(n) + L"=" + name + L";" + parent + L";Feature " +
            std::to_wstring(n) + L";What feature " + std::to_wstring(n) + L" installs;" +
            std::to_wstring(n % 3 == 0) + L";0;" + (hasChildren ? L"1" : L"0") + L"\r\n";
  }
  kit::ScopedFile out(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  const std::string ascii = kit::Ascii(text);
  WriteFile(out.get(), ascii.data(), static_cast<DWORD>(ascii.size()), &written, nullptr);
}

// The reads the feature page makes: its section read whole, then FEATURE1,
// FEATURE2, ... until the first missing one.
double TimeFeatureReads(const std::wstring& file) {
  const double start = NowMs();
  const CIniFile ini;
  const CIniSectionReader section(ini, L"LUMO", file);
  for (int n = 1; !section.ReadString(L"FEATURE" + std::to_wstring(n)).empty(); ++n) {
  }
  return NowMs() - start;
}

void BenchFeatureScaling(HMODULE library, const std::wstring& folder, int runs, Report* report) {
  KelvraPageFunction show = GetKelvraPage(library, "SelectFeatureDlg");
  if (!show) return;
  WriteActiveProduct(L"LUMO");
  const std::wstring options = folder + L"\\Options.ini";
  CopyFileW(options.c_str(), (options + L".sample").c_str(), FALSE);
  double previous = 0, at5000 = 0;
  for (int count : {100, 1000, 5000, 10000}) {
    WriteFeatureList(options, count, FeatureShape::kProduct);
    std::vector<double> shown, reads;
    for (int run = 0; run < runs; ++run) {
      shown.push_back(TimeOneCall(show).shown);
      reads.push_back(TimeFeatureReads(options));
    }
    const std::wstring name = L"SelectFeatureDlg with " + std::to_wstring(count) + L" features";
    report->Figure(name + L" shown and idle", L"%.1f ms", Median(shown));
    report->Figure(name + L", share reading the INI", L"%.0f%%",
                   100.0 * Median(reads) / Median(shown));
    if (count == 5000) at5000 = Median(shown);
    if (count == 10000)
      report->Goal(name + L" against 5000", Median(shown) / previous, 2.2,
                   Ms(Median(shown), previous));
    else if (previous > 0)
      report->Figure(name + L" against the size before", L"%.2fx", Median(shown) / previous);
    previous = Median(shown);
  }
  // As long as the longest list, once as deep as it can be (the plan goes
  // level by level) and once as wide (every feature a sibling of the rest).
  const struct {
    FeatureShape shape;
    const wchar_t* name;
  } extremes[] = {{FeatureShape::kChain, L"a chain of"}, {FeatureShape::kFlat, L"a flat list of"}};
  for (const auto& extreme : extremes) {
    WriteFeatureList(options, 10000, extreme.shape);
    std::vector<double> shown;
    for (int run = 0; run < runs; ++run) shown.push_back(TimeOneCall(show).shown);
    const std::wstring name = std::wstring(L"SelectFeatureDlg with ") + extreme.name + L" 10000";
    report->Figure(name + L" features shown and idle", L"%.1f ms", Median(shown));
    report->Figure(name + L" against 5000 features", L"%.2fx", Median(shown) / at5000);
  }
  CopyFileW((options + L".sample").c_str(), options.c_str(), FALSE);
  DeleteFileW((options + L".sample").c_str());
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
  const std::wstring folder = ProgramFolder();
  // The pages read the driver INI beside the executable: this program's.
  CopyFileW((folder + L"\\Setup.ini").c_str(), (folder + L"\\page_bench.ini").c_str(), FALSE);
  const DriverSettings settings = ReadDriverSettings(folder + L"\\page_bench.ini");
  WriteDriverValues(settings);

  const kit::ScopedModule library(LoadLibraryW((folder + L"\\Kelvra.dll").c_str()));
  const kit::ScopedModule resources(
      LoadLibraryExW((folder + L"\\Kelvrares.dll").c_str(), nullptr,
                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  if (!library || !resources) {
    std::wprintf(L"Kelvra.dll or Kelvrares.dll is missing from %ls\n", folder.c_str());
    return 2;
  }
  std::wprintf(L"runs: %d per figure, medians\n", runs);
  Report report;
  // The pages run under Kelvra.dll's common controls 6; the bare dialogs
  // they are held against run under the same, and once more without.
  const kit::ActivationContext styles =
      kit::CreateActivationContext(library.get(), IDR_PAGE_MANIFEST);
  // A second argument measures one part alone: "DiskCost", "pages", one
  // export's name, or "features".
  const std::wstring part = argc > 2 ? kit::Widened(argv[2]) : L"";
  if (part.rfind(L"profile", 0) == 0)
    return Profile(library.get(), resources.get(), styles, settings, part, runs) ? 0 : 2;
  const bool all = part.empty();
  if (all || part == L"DiskCost")
    BenchDiskCost(library.get(), resources.get(), styles, runs, &report);
  if (part != L"DiskCost" && part != L"features")
    BenchPages(library.get(), resources.get(), styles, settings, runs,
               part == L"pages" ? L"" : part, &report);
  if (all || part == L"features") BenchFeatureScaling(library.get(), folder, runs, &report);
  report.Finish();
  return 0;
}
