#include "pages/destination/folder_browser.h"

#include <cstring>

namespace {

// Holds one reference to a COM interface.
template <class Interface>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() { reset(); }
  ComRef(const ComRef& other) : pointer_(other.pointer_) {
    if (pointer_) pointer_->AddRef();
  }
  ComRef& operator=(const ComRef&) = delete;

  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // For functions that hand out a new reference.
  Interface** put() {
    reset();
    return &pointer_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }
  void reset() {
    if (pointer_) pointer_->Release();
    pointer_ = nullptr;
  }

 private:
  Interface* pointer_ = nullptr;
};

// An item-ID list owned through the shell allocator.
class ItemIdList {
 public:
  explicit ItemIdList(const ComRef<IMalloc>& allocator) : allocator_(allocator) {}
  ~ItemIdList() { Replace(nullptr); }
  ItemIdList(const ItemIdList&) = delete;
  ItemIdList& operator=(const ItemIdList&) = delete;

  LPCITEMIDLIST Get() const { return list_; }
  // For functions that hand out a new list.
  LPITEMIDLIST* Put() {
    Replace(nullptr);
    return &list_;
  }
  void Replace(LPITEMIDLIST list) {
    if (list_ && list_ != list) allocator_->Free(list_);
    list_ = list;
  }
  bool CopyFrom(LPCITEMIDLIST source) {
    const UINT size = ILGetSize(source);
    auto* copy = static_cast<LPITEMIDLIST>(size ? allocator_->Alloc(size) : nullptr);
    if (copy) std::memcpy(copy, source, size);
    Replace(copy);
    return copy != nullptr;
  }
  // Drops the last item, leaving its parent folder.
  bool SplitOffParent() { return ILRemoveLastID(list_) != FALSE; }

 private:
  ComRef<IMalloc> allocator_;
  LPITEMIDLIST list_ = nullptr;
};

// A block of the shell allocator.
class ShellBuffer {
 public:
  ShellBuffer(const ComRef<IMalloc>& allocator, ULONG characters)
      : allocator_(allocator),
        data_(static_cast<wchar_t*>(allocator_->Alloc(characters * sizeof(wchar_t)))) {}
  ~ShellBuffer() {
    if (data_) allocator_->Free(data_);
  }
  ShellBuffer(const ShellBuffer&) = delete;
  ShellBuffer& operator=(const ShellBuffer&) = delete;

  wchar_t* get() const { return data_; }

 private:
  ComRef<IMalloc> allocator_;
  wchar_t* data_;
};

// The picker's tree needs an apartment on this thread, entered for the
// picker's time and left again; a thread already in one stays as it was.
class ComApartment {
 public:
  ComApartment() : entered_(CoInitialize(nullptr)) {}
  ~ComApartment() {
    if (SUCCEEDED(entered_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  HRESULT entered_;
};

int CALLBACK OnPickerEvent(HWND picker, UINT message, LPARAM, LPARAM preselect) {
  if (message == BFFM_INITIALIZED) SendMessageW(picker, BFFM_SETSELECTIONW, TRUE, preselect);
  return 0;
}

// The shortcut behind `picked`, or null when it is not one.
ComRef<IShellLinkW> ShortcutOf(LPCITEMIDLIST picked) {
  ComRef<IShellLinkW> link;
  ComRef<IMalloc> allocator;
  if (FAILED(SHGetMalloc(allocator.put()))) return link;
  ItemIdList parent(allocator);
  if (!parent.CopyFrom(picked) || !parent.SplitOffParent()) return link;
  LPCITEMIDLIST last = ILFindLastID(picked);

  ComRef<IShellFolder> desktop;
  if (FAILED(SHGetDesktopFolder(desktop.put()))) return link;
  // An item right on the desktop has the desktop itself as its folder.
  ComRef<IShellFolder> folder = desktop;
  if (parent.Get()->mkid.cb != 0 &&
      FAILED(desktop->BindToObject(parent.Get(), nullptr, IID_IShellFolder, folder.put_void())))
    return link;
  if (FAILED(folder->GetUIObjectOf(nullptr, 1, &last, IID_IShellLinkW, nullptr, link.put_void())))
    link.reset();
  return link;
}

}  // namespace

bool ResolvePickedFolder(LPCITEMIDLIST picked, wchar_t* buffer) {
  buffer[0] = L'\0';
  ComRef<IShellLinkW> link = ShortcutOf(picked);
  LPITEMIDLIST target = nullptr;
  if (link && SUCCEEDED(link->GetIDList(&target)) && target) {
    SHGetPathFromIDListW(target, buffer);
    CoTaskMemFree(target);
  } else {
    SHGetPathFromIDListW(picked, buffer);
  }
  return buffer[0] != L'\0';
}

bool BrowseForFolder(HWND owner, std::wstring* path, const std::wstring& title, bool networkRoot) {
  // First, so that it is left only after every shell object below is gone.
  const ComApartment apartment;
  ComRef<IMalloc> allocator;
  if (FAILED(SHGetMalloc(allocator.put()))) return false;
  ShellBuffer display(allocator, MAX_PATH);
  if (!display.get()) return false;
  ItemIdList root(allocator);
  if (FAILED(SHGetSpecialFolderLocation(owner, networkRoot ? CSIDL_NETWORK : CSIDL_DESKTOP,
                                        root.Put())))
    return false;

  wchar_t preselect[MAX_PATH];
  lstrcpynW(preselect, path->c_str(), MAX_PATH);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pidlRoot = root.Get();
  info.pszDisplayName = display.get();
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_NEWDIALOGSTYLE | BIF_UAHINT;
  info.lpfn = OnPickerEvent;
  info.lParam = reinterpret_cast<LPARAM>(preselect);

  ItemIdList picked(allocator);
  picked.Replace(SHBrowseForFolderW(&info));
  if (!picked.Get()) return false;
  if (!ResolvePickedFolder(picked.Get(), display.get())) return false;
  *path = display.get();
  return true;
}
