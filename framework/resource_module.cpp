#include "framework/resource_module.h"

#include "framework/folder_path.h"
#include "kit/app.h"

const wchar_t kResourceLibraryName[] = L"Kelvrares.dll";
const wchar_t kResourceLibraryMissing[] = L"Unable to load resource dll: Kelvrares.dll.";

namespace {

HMODULE LoadResourceOnly(const std::wstring& name) {
  // Mapped as data: its entry point and imports are never touched. The
  // search order is the one LoadLibrary uses.
  return LoadLibraryExW(name.c_str(), nullptr,
                        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

// Installers unpack their helper DLLs into a folder of their own, which the
// system's search order does not visit: the resource library beside the
// running Kelvra.dll is the last place looked.
HMODULE LoadBesideOwnModule(const std::wstring& name) {
  // This code's own module: Kelvra.dll, when a driver calls the pages.
  const std::wstring self = kit::ModuleFileName(kit::InstanceHandle());
  const std::size_t cut = self.find_last_of(L"\\/");
  if (cut == std::wstring::npos) return nullptr;
  return LoadResourceOnly(self.substr(0, cut + 1) + kelvra::LastPathComponent(name));
}

}  // namespace

bool CResourceModule::Load(const std::wstring& resourceFileName) {
  Free();
  const std::wstring& name = resourceFileName;
  HMODULE module = LoadResourceOnly(name);
  if (!module) module = LoadResourceOnly(kelvra::LastPathComponent(name));
  if (!module) module = LoadBesideOwnModule(name);
  module_.reset(module);
  return IsLoaded();
}

BOOL CResourceModule::Free() {
  if (!IsLoaded()) return 0;
  return FreeLibrary(module_.release());
}

CResourceScope::CResourceScope(HINSTANCE handle) : newHandle_(handle) {
  if (!newHandle_) return;
  savedHandle_ = kit::ResourceHandle();
  kit::SetResourceHandle(newHandle_);
}

void CResourceScope::Restore() {
  if (!newHandle_) return;
  kit::SetResourceHandle(savedHandle_);
  newHandle_ = nullptr;
}
