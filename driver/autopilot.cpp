#include <cstdio>
#include <memory>
#include <vector>

#include "driver/setup_driver.h"
#include "kit/scoped_handle.h"
#include "resdll/kelvrares_ids.h"

namespace {

BOOL CALLBACK RememberVisibleDialog(HWND window, LPARAM out) {
  wchar_t cls[16] = L"";
  GetClassNameW(window, cls, static_cast<int>(std::size(cls)));
  if (lstrcmpW(cls, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(out) = window;
  return FALSE;
}

BOOL CALLBACK RememberPopupMenu(HWND window, LPARAM out) {
  wchar_t cls[16] = L"";
  GetClassNameW(window, cls, static_cast<int>(std::size(cls)));
  if (lstrcmpW(cls, L"#32768") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(out) = window;
  return FALSE;
}

// The wizard thread's visible top-level dialog, if one is up.
HWND FindPage(DWORD thread) {
  HWND found = nullptr;
  EnumThreadWindows(thread, RememberVisibleDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

bool SaveWindowPicture(HWND window, const std::wstring& path) {
  RECT area;
  GetWindowRect(window, &area);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return false;

  const kit::ScopedScreenDC screen;
  kit::ScopedBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  const DWORD rowSize = ((width * 3) + 3) & ~3u;
  std::vector<BYTE> pixels(rowSize * height);
  {
    kit::ScopedMemoryDC memory(screen.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
  }
  GetDIBits(screen.get(), bitmap.get(), 0, height, pixels.data(),
            reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);

  BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  std::unique_ptr<FILE, int (*)(FILE*)> out(_wfopen(path.c_str(), L"wb"), std::fclose);
  if (!out) return false;
  std::fwrite(&file, sizeof file, 1, out.get());
  std::fwrite(&info, sizeof info, 1, out.get());
  std::fwrite(pixels.data(), 1, pixels.size(), out.get());
  return true;
}

}  // namespace

Autopilot::Autopilot(DWORD wizardThread, std::wstring shotFolder)
    : wizardThread_(wizardThread),
      shotFolder_(std::move(shotFolder)),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  CreateDirectoryW(shotFolder_.c_str(), nullptr);
  thread_.reset(CreateThread(nullptr, 0, Run, this, 0, nullptr));
}

Autopilot::~Autopilot() {
  SetEvent(stop_.get());
  if (thread_) WaitForSingleObject(thread_.get(), INFINITE);
}

void Autopilot::ExpectPage(const std::wstring& exportName) {
  const std::lock_guard<std::mutex> hold(lock_);
  pageName_ = exportName;
}

DWORD WINAPI Autopilot::Run(void* self) {
  static_cast<Autopilot*>(self)->Loop();
  return 0;
}

bool Autopilot::Pause(DWORD ms) const {
  return WaitForSingleObject(stop_.get(), ms) == WAIT_TIMEOUT;
}

void Autopilot::WaitUntilClosed(HWND window) const {
  while (IsWindow(window) && Pause(20)) {
  }
}

void Autopilot::Picture(HWND window, const wchar_t* suffix) {
  wchar_t name[MAX_PATH];
  {
    const std::lock_guard<std::mutex> hold(lock_);
    std::swprintf(name, std::size(name), L"%ls\\%02d-%ls%ls.bmp", shotFolder_.c_str(),
                  ++pictureNumber_, pageName_.c_str(), suffix);
  }
  if (SaveWindowPicture(window, name)) std::wprintf(L"Saved %ls\n", name);
}

void Autopilot::ShowDiskCost(HWND page) {
  if (!GetDlgItem(page, IDC_DISK_COST)) return;
  PostMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_DISK_COST, BN_CLICKED), 0);
  HWND dialog = nullptr;
  while (Pause(50) && (dialog = FindPage(wizardThread_)) == page) {
  }
  if (!dialog || dialog == page || !Pause(400)) return;
  Picture(dialog, L"-DiskCost");
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  WaitUntilClosed(dialog);
}

void Autopilot::ShowFeaturePopup(HWND page) {
  HWND tree = GetDlgItem(page, IDC_FEATURE_TREE);
  wchar_t cls[32] = L"";
  if (!tree || !GetClassNameW(tree, cls, static_cast<int>(std::size(cls))) ||
      lstrcmpW(cls, WC_TREEVIEWW) != 0)
    return;
  // The first sub-feature's popup has both entries; Space opens it as a user would.
  const auto root = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  const auto child = reinterpret_cast<HTREEITEM>(
      SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
  if (!child) return;
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(child));
  PostMessageW(tree, WM_KEYDOWN, VK_SPACE, 0);
  HWND popup = nullptr;
  for (int tries = 0; !popup && tries < 40 && Pause(50); ++tries)
    EnumThreadWindows(wizardThread_, RememberPopupMenu, reinterpret_cast<LPARAM>(&popup));
  if (!popup || !Pause(300)) return;
  PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);  // the first entry highlighted
  if (!Pause(300)) return;
  Picture(page, L"-Popup");
  PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
  WaitUntilClosed(popup);
}

void Autopilot::Loop() {
  while (Pause(50)) {
    HWND page = FindPage(wizardThread_);
    if (!page) continue;
    // Give the page time to paint before the picture is taken.
    if (!Pause(400)) return;
    Picture(page, L"");
    ShowDiskCost(page);
    ShowFeaturePopup(page);
    PostMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_NEXT, BN_CLICKED), 0);
    WaitUntilClosed(page);
  }
}
