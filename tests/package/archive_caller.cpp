// Built against the release archive only: checks the version resource of the
// archive's Kelvra.dll, then calls each export named on the command line
// through kelvra.h, pressing Back on every page.
//   archive_caller <version> <export>...
#include <kelvra.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// Every page template has its Back button under this ID.
constexpr int kBackButton = 1001;
constexpr DWORD kPageTimeoutMs = 60000;

DWORD g_pageThread = 0;

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using ScopedThread = std::unique_ptr<void, HandleCloser>;

struct Search {
  HWND found = nullptr;
};

BOOL CALLBACK FindPage(HWND window, LPARAM param) {
  char className[16] = "";
  GetClassNameA(window, className, sizeof className);
  if (IsWindowVisible(window) && std::strcmp(className, "#32770") == 0 &&
      GetDlgItem(window, kBackButton) != nullptr) {
    reinterpret_cast<Search*>(param)->found = window;
    return FALSE;
  }
  return TRUE;
}

// Acts as the user: waits for the page, presses Back once; gives up after a
// minute so that a page that never shows cannot hang the test.
DWORD WINAPI PressBack(void*) {
  for (DWORD waited = 0; waited < kPageTimeoutMs; waited += 50) {
    Search search;
    EnumThreadWindows(g_pageThread, FindPage, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
      PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(kBackButton, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(search.found, kBackButton)));
      return 0;
    }
    Sleep(50);
  }
  std::fprintf(stderr, "no page with a Back button appeared\n");
  std::fflush(stderr);
  ExitProcess(3);
}

std::string FileVersion(const char* file) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(file, &ignored);
  if (size == 0) return std::string();
  std::vector<char> data(size);
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!GetFileVersionInfoA(file, 0, size, data.data()) ||
      !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info)
    return std::string();
  return std::to_string(HIWORD(info->dwFileVersionMS)) + "." +
         std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
         std::to_string(HIWORD(info->dwFileVersionLS));
}

}  // namespace

#define KELVRA_STRING(x) #x
#define KELVRA_NAME_OF(x) KELVRA_STRING(x)
#define KELVRA_LINKED_NAME KELVRA_NAME_OF(KELVRA_LINKED_EXPORT)
extern "C" __declspec(dllimport) int __cdecl KELVRA_LINKED_EXPORT(void);

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: archive_caller <version> <export>...\n");
    return 2;
  }
  int failures = 0;
  const std::string version = FileVersion("Kelvra.dll");
  if (version != argv[1]) {
    std::printf("Kelvra.dll's version resource says '%s', the archive's name '%s'\n",
                version.c_str(), argv[1]);
    ++failures;
  }

  // One export is linked through the import library; the rest are found by
  // name in the module that import loaded.
  HMODULE library = GetModuleHandleA("Kelvra.dll");
  if (!library || GetKelvraPage(library, KELVRA_LINKED_NAME) != &KELVRA_LINKED_EXPORT) {
    std::printf("%s is not the import library's export\n", KELVRA_LINKED_NAME);
    ++failures;
  }
  g_pageThread = GetCurrentThreadId();
  for (int i = 2; i < argc; ++i) {
    const KelvraPageFunction page = GetKelvraPage(library, argv[i]);
    if (!page) {
      std::printf("%s: not exported\n", argv[i]);
      ++failures;
      continue;
    }
    const ScopedThread user(CreateThread(nullptr, 0, PressBack, nullptr, 0, nullptr));
    const int result = page();
    WaitForSingleObject(user.get(), INFINITE);
    std::printf("%s: %d\n", argv[i], result);
    if (result != KELVRA_BACK) ++failures;
  }
  return failures == 0 ? 0 : 1;
}
