// Move-only owners for Win32 handles. One template, one trait per handle kind.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace kit {

template <class Traits>
class ScopedHandle {
 public:
  using Handle = typename Traits::Handle;

  ScopedHandle() = default;
  explicit ScopedHandle(Handle handle) : handle_(handle) {}
  ~ScopedHandle() { reset(); }

  ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.release()) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;

  Handle get() const { return handle_; }
  bool valid() const { return handle_ != Traits::Null(); }
  explicit operator bool() const { return valid(); }

  // Gives up ownership without closing.
  Handle release() {
    Handle handle = handle_;
    handle_ = Traits::Null();
    return handle;
  }

  void reset(Handle handle = Traits::Null()) {
    if (handle_ != Traits::Null() && handle_ != handle) Traits::Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Traits::Null();
};

template <class T>
struct GdiObjectTraits {
  using Handle = T;
  static Handle Null() { return nullptr; }
  static void Close(Handle handle) { DeleteObject(handle); }
};

struct ModuleTraits {
  using Handle = HMODULE;
  static Handle Null() { return nullptr; }
  static void Close(Handle handle) { FreeLibrary(handle); }
};

struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle Null() { return nullptr; }
  static void Close(Handle handle) { RegCloseKey(handle); }
};

struct MenuTraits {
  using Handle = HMENU;
  static Handle Null() { return nullptr; }
  static void Close(Handle handle) { DestroyMenu(handle); }
};

struct ImageListTraits {
  using Handle = HIMAGELIST;
  static Handle Null() { return nullptr; }
  static void Close(Handle handle) { ImageList_Destroy(handle); }
};

// For icons made with CreateIcon*/LoadImage(LR_DEFAULTSIZE) only: icons from
// LoadIcon are shared and must not be destroyed.
struct IconTraits {
  using Handle = HICON;
  static Handle Null() { return nullptr; }
  static void Close(Handle handle) { DestroyIcon(handle); }
};

struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Null() { return nullptr; }
  static void Close(Handle handle) { CloseHandle(handle); }
};

struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Null() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) { CloseHandle(handle); }
};

using ScopedFont = ScopedHandle<GdiObjectTraits<HFONT>>;
using ScopedBitmap = ScopedHandle<GdiObjectTraits<HBITMAP>>;
using ScopedBrush = ScopedHandle<GdiObjectTraits<HBRUSH>>;
using ScopedModule = ScopedHandle<ModuleTraits>;
using ScopedMenu = ScopedHandle<MenuTraits>;
using ScopedRegistryKey = ScopedHandle<RegistryKeyTraits>;
using ScopedImageList = ScopedHandle<ImageListTraits>;
using ScopedIcon = ScopedHandle<IconTraits>;
using ScopedKernelHandle = ScopedHandle<KernelHandleTraits>;
using ScopedFile = ScopedHandle<FileHandleTraits>;

// The screen's device context, released on exit.
class ScopedScreenDC {
 public:
  ScopedScreenDC() : dc_(GetDC(nullptr)) {}
  ~ScopedScreenDC() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  ScopedScreenDC(const ScopedScreenDC&) = delete;
  ScopedScreenDC& operator=(const ScopedScreenDC&) = delete;

  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// A memory device context with one object selected into it; both undone on exit.
class ScopedMemoryDC {
 public:
  ScopedMemoryDC(HDC compatibleWith, HGDIOBJ selected)
      : dc_(CreateCompatibleDC(compatibleWith)),
        previous_(dc_ ? SelectObject(dc_, selected) : nullptr) {}
  ~ScopedMemoryDC() {
    if (!dc_) return;
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  ScopedMemoryDC(const ScopedMemoryDC&) = delete;
  ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;

  HDC get() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace kit
