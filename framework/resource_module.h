// The resource library Kelvrares.dll, and the swap of the current resource
// module while a page is on screen.
#pragma once

#include <string>
#include <windows.h>

#include "kit/scoped_handle.h"

extern const wchar_t kResourceLibraryName[];
// The one message the frame shows when the resource library is missing.
extern const wchar_t kResourceLibraryMissing[];

class CResourceModule {
 public:
  CResourceModule() = default;
  ~CResourceModule() { Free(); }
  CResourceModule(const CResourceModule&) = delete;
  CResourceModule& operator=(const CResourceModule&) = delete;

  // Frees a library already held, then loads `resourceFileName`: first by the
  // name as given, then by its last path component, and when the system's
  // search finds neither, from the folder of the module this code runs in.
  // The library is mapped as an image resource, so none of its code can run.
  bool Load(const std::wstring& resourceFileName);
  bool IsLoaded() const { return module_.valid(); }
  HINSTANCE Handle() const { return module_.get(); }
  // FreeLibrary's result, or 0 when nothing was held.
  BOOL Free();

 private:
  kit::ScopedModule module_;
};

class CResourceScope {
 public:
  // Makes `handle` the current resource module; a null handle does nothing.
  explicit CResourceScope(HINSTANCE handle);
  ~CResourceScope() { Restore(); }
  CResourceScope(const CResourceScope&) = delete;
  CResourceScope& operator=(const CResourceScope&) = delete;

  void Restore();

 private:
  HINSTANCE newHandle_;
  HINSTANCE savedHandle_ = nullptr;
};
