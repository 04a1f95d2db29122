// Per-class message maps: static tables of {control id, notification code,
// member function}, searched in table order. The member pointer's class is
// the page's own, so a handler of the wrong shape does not compile.
#pragma once

#include <windows.h>

namespace kit {

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

template <class T, size_t N>
bool DispatchCommand(T& target, const CommandEntry<T> (&map)[N], UINT id, UINT code) {
  for (const CommandEntry<T>& entry : map) {
    if (entry.id == id && entry.code == code) {
      (target.*entry.handler)();
      return true;
    }
  }
  return false;
}

template <class T, size_t N>
bool DispatchNotify(T& target, const NotifyEntry<T> (&map)[N], NMHDR* header, LRESULT* result) {
  for (const NotifyEntry<T>& entry : map) {
    if (entry.id == header->idFrom && entry.code == header->code) {
      *result = (target.*entry.handler)(header);
      return true;
    }
  }
  return false;
}

}  // namespace kit
