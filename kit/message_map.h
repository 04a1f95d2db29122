// Per-class message maps: static tables of {control id, notification code,
// member function}, searched in table order. The member pointer's class is
// the dialog's own, so a handler of the wrong shape does not compile.
#pragma once

#include <cstddef>
#include <windows.h>

namespace kit {

class CDialog;

template <class T>
struct CommandEntry {
  UINT id;
  UINT code;
  void (T::*handler)();
};

template <class T>
struct NotifyEntry {
  UINT id;
  UINT code;
  LRESULT (T::*handler)(NMHDR* header);
};

// A table of one dialog class, kept by its base without knowing the class.
class CommandMap {
 public:
  CommandMap() = default;
  template <class T, size_t N>
  CommandMap(const CommandEntry<T> (&entries)[N])  // NOLINT: a table converts implicitly
      : entries_(entries), count_(N), dispatch_(&Dispatch<T>) {}

  // True when an entry matched and its handler ran.
  bool operator()(CDialog& target, UINT id, UINT code) const {
    return dispatch_ && dispatch_(target, entries_, count_, id, code);
  }

 private:
  template <class T>
  static bool Dispatch(CDialog& target, const void* entries, size_t count, UINT id, UINT code) {
    const auto* table = static_cast<const CommandEntry<T>*>(entries);
    for (size_t i = 0; i < count; ++i) {
      if (table[i].id != id || table[i].code != code) continue;
      (static_cast<T&>(target).*table[i].handler)();
      return true;
    }
    return false;
  }

  const void* entries_ = nullptr;
  size_t count_ = 0;
  bool (*dispatch_)(CDialog&, const void*, size_t, UINT, UINT) = nullptr;
};

class NotifyMap {
 public:
  NotifyMap() = default;
  template <class T, size_t N>
  NotifyMap(const NotifyEntry<T> (&entries)[N])  // NOLINT: a table converts implicitly
      : entries_(entries), count_(N), dispatch_(&Dispatch<T>) {}

  // True, with *result set, when an entry matched and its handler ran.
  bool operator()(CDialog& target, NMHDR* header, LRESULT* result) const {
    return dispatch_ && dispatch_(target, entries_, count_, header, result);
  }

 private:
  template <class T>
  static bool Dispatch(CDialog& target, const void* entries, size_t count, NMHDR* header,
                       LRESULT* result) {
    const auto* table = static_cast<const NotifyEntry<T>*>(entries);
    for (size_t i = 0; i < count; ++i) {
      if (table[i].id != header->idFrom || table[i].code != header->code) continue;
      *result = (static_cast<T&>(target).*table[i].handler)(header);
      return true;
    }
    return false;
  }

  const void* entries_ = nullptr;
  size_t count_ = 0;
  bool (*dispatch_)(CDialog&, const void*, size_t, NMHDR*, LRESULT*) = nullptr;
};

}  // namespace kit
