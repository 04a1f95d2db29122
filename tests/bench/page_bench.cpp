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
#include "include/kelvra.h"
#include "res/kelvra_ids.h"
#include "resdll/kelvrares_ids.h"

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

std::string ProgramFolder() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\'));
}

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM found) {
  char cls[16] = "";
  GetClassNameA(window, cls, sizeof cls);
  if (lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
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
  SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, 600000, nullptr);
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, 600000, nullptr);
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
  PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_NEXT, BN_CLICKED), 0);
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
    char heading[64] = "";
    LoadStringA(resources, id, heading, sizeof heading);
    const int index = static_cast<int>(id - IDS_DRIVE_COLUMN);
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = index == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT;
    column.cx = index == 0 ? 60 : 90;
    column.pszText = heading;
    SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
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
            DialogBoxParamA(resources, MAKEINTRESOURCEA(templateId), owner, BareProc, 0));
      },
      nullptr, owner);
}

class Report {
 public:
  void Figure(const std::string& name, const char* format, double value) {
    std::printf("%s: ", name.c_str());
    std::printf(format, value);
    std::printf("\n");
  }
  void Goal(const std::string& name, double ratio, double goal, const std::string& detail) {
    const bool met = ratio <= goal;
    ++goals_;
    met_ += met ? 1 : 0;
    std::printf("%s: %.2fx (goal <= %.2fx, %s; %s)\n", name.c_str(), ratio, goal,
                met ? "met" : "missed", detail.c_str());
  }
  void Finish() const { std::printf("%d of %d goals met\n", met_, goals_); }

 private:
  int goals_ = 0;
  int met_ = 0;
};

std::string Ms(double a, double b) {
  char text[96];
  std::snprintf(text, sizeof text, "%.2f ms against %.2f ms", a, b);
  return text;
}

// Templates of the bare dialogs each export is measured against.
struct PageTemplate {
  const char* exportName;
  UINT templateId;
};
const PageTemplate kTemplates[] = {
    {"PartModificationDlg", IDD_PART_MODIFICATION},
    {"InstallDestinationDlg", IDD_INSTALL_DESTINATION},
    {"FerrixDestinationDlg", IDD_DESTINATION_FOLDER},
    {"CofraDestinationDlg", IDD_DESTINATION_FOLDER},
    {"UlvoDestinationDlg", IDD_DESTINATION_FOLDER},
    {"CofraShortcutDlg", IDD_COFRA_SHORTCUT},
    {"MsdeDestinationDlg", IDD_MSDE_DESTINATION},
    {"SelectFeatureDlg", IDD_SELECT_FEATURE},
    {"UnitStandardDlg", IDD_UNIT_STANDARD},
    {"SelectContentDlg", IDD_CONTENT_STANDARD},
};

UINT TemplateOf(const std::string& exportName) {
  for (const PageTemplate& page : kTemplates)
    if (exportName == page.exportName) return page.templateId;
  return 0;
}

void BenchPages(HMODULE library, HMODULE resources, const kit::ActivationContext& styles,
                const DriverSettings& settings, int runs, const std::string& only, Report* report) {
  for (const WizardPage& page : settings.pages) {
    if (!only.empty() && page.exportName != only) continue;
    KelvraPageFunction show = GetKelvraPage(library, page.exportName.c_str());
    const UINT templateId = TemplateOf(page.exportName);
    if (!show || !templateId) {
      std::printf("%s: not measured (no export or no bare template)\n", page.exportName.c_str());
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
    report->Figure(page.exportName + " shown and idle", "%.2f ms", Median(shown));
    report->Figure(page.exportName + " Next to return", "%.2f ms", Median(next));
    report->Figure(page.exportName + " bare shown and idle", "%.2f ms", Median(bareShown));
    report->Figure(page.exportName + " bare Next to return", "%.2f ms", Median(bareNext));
    report->Figure(page.exportName + " against a bare dialog of the driver's common controls",
                   "%.2fx", page_ms / Median(bare5));
    report->Goal(page.exportName + " against its bare dialog, same common controls",
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
  PostMessageA(found[0], WM_COMMAND, MAKEWPARAM(IDC_NEXT, BN_CLICKED), 0);
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
// (scripts/profile-page.sh).
bool Profile(HMODULE library, HMODULE resources, const kit::ActivationContext& styles,
             const DriverSettings& settings, const std::string& part, int runs) {
  const std::size_t colon = part.find(':');
  const std::string mode = part.substr(0, colon), exportName = part.substr(colon + 1);
  const WizardPage* page = nullptr;
  for (const WizardPage& each : settings.pages)
    if (each.exportName == exportName) page = &each;
  KelvraPageFunction export_ = GetKelvraPage(library, exportName.c_str());
  const UINT templateId = TemplateOf(exportName);
  if (!page || !export_ || !templateId) return false;
  WriteActiveProduct(page->active);
  const kit::ActivationContext* controls = mode == "profile-plain" ? nullptr : &styles;
  std::function<int()> show = [&] {
    kit::ScopedActivation active;
    if (controls) active = kit::Activate(*controls);
    return static_cast<int>(
        DialogBoxParamA(resources, MAKEINTRESOURCEA(templateId), nullptr, BareProc, 0));
  };
  if (mode == "profile") show = export_;
  OpenUntilNext(show);
  ProfiledOpenings(show, runs);
  std::printf("%s: %d openings\n", part.c_str(), runs);
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
    DialogBoxParamA(g_bareDiskCost.resources, MAKEINTRESOURCEA(IDD_DISK_COST), message->hwnd,
                    BareProc, headings);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Posts `message` to the page and returns the time until the dialog it
// opens is idle; then closes that dialog.
double TimeOpeningOverPage(HWND page, UINT message, WPARAM wParam) {
  const double start = NowMs();
  PostMessageA(page, message, wParam, 0);
  HWND dialog = WaitForDialog(GetWindowThreadProcessId(page, nullptr), page);
  if (!dialog) return -1;
  WaitUntilIdle(dialog);
  const double idle = NowMs() - start;
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
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
  const kit::ScopedHook hook(
      SetWindowsHookExA(WH_GETMESSAGE, OpenBareDiskCost, nullptr, GetCurrentThreadId()));
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
  WriteActiveProduct("LUMO");
  const DiskCostTimes times = TimeDiskCostOpenings(library, resources, styles, runs);
  if (times.first < 0 || static_cast<int>(times.later.size()) != runs) {
    std::printf("Disk Cost: not measured\n");
    return;
  }
  const double later = Median(times.later);
  const double bare = Median(times.bare);
  report->Figure("Disk Cost first opening, drives measured", "%.2f ms", times.first);
  report->Figure("Disk Cost later openings", "%.2f ms", later);
  report->Figure("Disk Cost bare dialog over a page", "%.2f ms", bare);
  // No goal: how much of the gap the themed column headings alone take.
  const double withHeadings = Median(times.bareWithHeadings);
  report->Figure("Disk Cost bare dialog with its five column headings", "%.2f ms", withHeadings);
  report->Figure("Disk Cost later openings against the bare dialog with headings", "%.2fx",
                 later / withHeadings);
  report->Goal("Disk Cost later openings against the bare dialog", later / bare, 1.2,
               Ms(later, bare));
}

// How the features of a generated list hang together.
enum class FeatureShape {
  kProduct,  // a tenth at the top level, the rest children and grandchildren
  kChain,    // each feature the only child of the one before
  kFlat,     // all at the top level: siblings as many as features
};

// An Options.ini with `count` features of `shape`.
void WriteFeatureList(const std::string& file, int count, FeatureShape shape) {
  std::string text = "[TREL_OPTIONS]\r\nFEATURE_SELECTION=LUMO\r\n[LUMO]\r\nPRODUCT_NAME=Lumo\r\n";
  int topLevel = 0, child = 0;
  for (int n = 1; n <= count; ++n) {
    std::string name = "F" + std::to_string(n), parent;
    bool hasChildren = true;
    if (shape == FeatureShape::kChain) {
      if (n > 1) parent = "F" + std::to_string(n - 1);
    } else if (shape == FeatureShape::kFlat) {
      hasChildren = false;
    } else if (n % 10 == 1) {
      topLevel = n;
    } else if (n % 10 <= 4) {
      parent = "F" + std::to_string(topLevel);
      child = n;
    } else {
      parent = "F" + std::to_string(child);
      hasChildren = false;
    }
    text += "FEATURE" + std::to_string(n) + "=" + name + ";" + parent + ";Feature " +
            std::to_string(n) + ";What feature " + std::to_string(n) + " installs;" +
            std::to_string(n % 3 == 0) + ";0;" + (hasChildren ? "1" : "0") + "\r\n";
  }
  kit::ScopedFile out(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  WriteFile(out.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// The reads the feature page makes: its section read whole, then FEATURE1,
// FEATURE2, ... until the first missing one.
double TimeFeatureReads(const std::string& file) {
  const double start = NowMs();
  const CIniFile ini;
  const CIniSectionReader section(ini, "LUMO", file);
  for (int n = 1; !section.ReadString("FEATURE" + std::to_string(n)).empty(); ++n) {
  }
  return NowMs() - start;
}

void BenchFeatureScaling(HMODULE library, const std::string& folder, int runs, Report* report) {
  KelvraPageFunction show = GetKelvraPage(library, "SelectFeatureDlg");
  if (!show) return;
  WriteActiveProduct("LUMO");
  const std::string options = folder + "\\Options.ini";
  CopyFileA(options.c_str(), (options + ".sample").c_str(), FALSE);
  double previous = 0, at5000 = 0;
  for (int count : {100, 1000, 5000, 10000}) {
    WriteFeatureList(options, count, FeatureShape::kProduct);
    std::vector<double> shown, reads;
    for (int run = 0; run < runs; ++run) {
      shown.push_back(TimeOneCall(show).shown);
      reads.push_back(TimeFeatureReads(options));
    }
    const std::string name = "SelectFeatureDlg with " + std::to_string(count) + " features";
    report->Figure(name + " shown and idle", "%.1f ms", Median(shown));
    report->Figure(name + ", share reading the INI", "%.0f%%",
                   100.0 * Median(reads) / Median(shown));
    if (count == 5000) at5000 = Median(shown);
    if (count == 10000)
      report->Goal(name + " against 5000", Median(shown) / previous, 2.2,
                   Ms(Median(shown), previous));
    else if (previous > 0)
      report->Figure(name + " against the size before", "%.2fx", Median(shown) / previous);
    previous = Median(shown);
  }
  // As long as the longest list, once as deep as it can be (the plan goes
  // level by level) and once as wide (every feature a sibling of the rest).
  const struct {
    FeatureShape shape;
    const char* name;
  } extremes[] = {{FeatureShape::kChain, "a chain of"}, {FeatureShape::kFlat, "a flat list of"}};
  for (const auto& extreme : extremes) {
    WriteFeatureList(options, 10000, extreme.shape);
    std::vector<double> shown;
    for (int run = 0; run < runs; ++run) shown.push_back(TimeOneCall(show).shown);
    const std::string name = std::string("SelectFeatureDlg with ") + extreme.name + " 10000";
    report->Figure(name + " features shown and idle", "%.1f ms", Median(shown));
    report->Figure(name + " against 5000 features", "%.2fx", Median(shown) / at5000);
  }
  CopyFileA((options + ".sample").c_str(), options.c_str(), FALSE);
  DeleteFileA((options + ".sample").c_str());
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
  const std::string folder = ProgramFolder();
  // The pages read the driver INI beside the executable: this program's.
  CopyFileA((folder + "\\Setup.ini").c_str(), (folder + "\\page_bench.ini").c_str(), FALSE);
  const DriverSettings settings = ReadDriverSettings(folder + "\\page_bench.ini");
  WriteDriverValues(settings);

  const kit::ScopedModule library(LoadLibraryA((folder + "\\Kelvra.dll").c_str()));
  const kit::ScopedModule resources(
      LoadLibraryExA((folder + "\\Kelvrares.dll").c_str(), nullptr,
                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  if (!library || !resources) {
    std::printf("Kelvra.dll or Kelvrares.dll is missing from %s\n", folder.c_str());
    return 2;
  }
  std::printf("runs: %d per figure, medians\n", runs);
  Report report;
  // The pages run under Kelvra.dll's common controls 6; the bare dialogs
  // they are held against run under the same, and once more without.
  const kit::ActivationContext styles =
      kit::CreateActivationContext(library.get(), IDR_PAGE_MANIFEST);
  // A second argument measures one part alone: "DiskCost", "pages", one
  // export's name, or "features".
  const std::string part = argc > 2 ? argv[2] : "";
  if (part.rfind("profile", 0) == 0)
    return Profile(library.get(), resources.get(), styles, settings, part, runs) ? 0 : 2;
  const bool all = part.empty();
  if (all || part == "DiskCost")
    BenchDiskCost(library.get(), resources.get(), styles, runs, &report);
  if (part != "DiskCost" && part != "features")
    BenchPages(library.get(), resources.get(), styles, settings, runs, part == "pages" ? "" : part,
               &report);
  if (all || part == "features") BenchFeatureScaling(library.get(), folder, runs, &report);
  report.Finish();
  return 0;
}
