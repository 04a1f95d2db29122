#include <cstdio>
#include <vector>

#include "driver/setup_driver.h"

namespace {

BOOL CALLBACK RememberVisibleDialog(HWND window, LPARAM out) {
  char cls[16] = "";
  GetClassNameA(window, cls, sizeof cls);
  if (lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(out) = window;
  return FALSE;
}

// The wizard thread's visible top-level dialog, if one is up.
HWND FindPage(DWORD thread) {
  HWND found = nullptr;
  EnumThreadWindows(thread, RememberVisibleDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

bool SaveScreenArea(const RECT& area, const std::string& path) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  SelectObject(memory, old);

  BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  const DWORD rowSize = ((width * 3) + 3) & ~3u;
  std::vector<BYTE> pixels(rowSize * height);
  GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
            DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  std::fwrite(&file, sizeof file, 1, out);
  std::fwrite(&info, sizeof info, 1, out);
  std::fwrite(pixels.data(), 1, pixels.size(), out);
  std::fclose(out);
  return true;
}

}  // namespace

Autopilot::Autopilot(DWORD wizardThread, std::string shotFolder)
    : wizardThread_(wizardThread),
      shotFolder_(std::move(shotFolder)),
      stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
  InitializeCriticalSection(&lock_);
  CreateDirectoryA(shotFolder_.c_str(), nullptr);
  thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

Autopilot::~Autopilot() {
  SetEvent(stop_);
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  CloseHandle(stop_);
  DeleteCriticalSection(&lock_);
}

void Autopilot::ExpectPage(const std::string& exportName) {
  EnterCriticalSection(&lock_);
  pageName_ = exportName;
  LeaveCriticalSection(&lock_);
}

DWORD WINAPI Autopilot::Run(void* self) {
  static_cast<Autopilot*>(self)->Loop();
  return 0;
}

void Autopilot::Loop() {
  while (WaitForSingleObject(stop_, 50) == WAIT_TIMEOUT) {
    HWND page = FindPage(wizardThread_);
    if (!page) continue;
    // Give the page time to paint before the picture is taken.
    if (WaitForSingleObject(stop_, 400) != WAIT_TIMEOUT) return;
    RECT area;
    GetWindowRect(page, &area);
    EnterCriticalSection(&lock_);
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "%s\\%02d-%s.bmp", shotFolder_.c_str(), ++pageNumber_,
                  pageName_.c_str());
    LeaveCriticalSection(&lock_);
    if (SaveScreenArea(area, name)) std::printf("Saved %s\n", name);
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(1000, BN_CLICKED), 0);
    while (IsWindow(page) && WaitForSingleObject(stop_, 20) == WAIT_TIMEOUT) {
    }
  }
}
