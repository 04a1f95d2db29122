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
  LRESULT Run(T& target, NMHDR*) const {
    (target.*handler)();
    return 0;
  }
};

template <class T>
struct NotifyEntry {
  UINT id;
  UINT code;
  LRESULT (T::*handler)(NMHDR* header);
  LRESULT Run(T& target, NMHDR* header) const { return (target.*handler)(header); }
};

// A table of one dialog class, kept by its base without knowing the class.
template <template <class> class Entry>
class MessageMap {
 public:
  MessageMap() = default;
  template <class T, size_t N>
  MessageMap(const Entry<T> (&entries)[N])  // NOLINT: a table converts implicitly
      : entries_(entries), count_(N), dispatch_(&Dispatch<T>) {}

  // True when an entry matched and its handler ran; *result, when asked for,
  // is then the handler's (0 for a command).
  bool operator()(CDialog& target, UINT_PTR id, UINT code, NMHDR* header = nullptr,
                  LRESULT* result = nullptr) const {
    return dispatch_ && dispatch_(target, entries_, count_, id, code, header, result);
  }

 private:
  template <class T>
  static bool Dispatch(CDialog& target, const void* entries, size_t count, UINT_PTR id, UINT code,
                       NMHDR* header, LRESULT* result) {
    const auto* table = static_cast<const Entry<T>*>(entries);
    for (size_t i = 0; i < count; ++i) {
      if (table[i].id != id || table[i].code != code) continue;
      const LRESULT handled = table[i].Run(static_cast<T&>(target), header);
      if (result) *result = handled;
      return true;
    }
    return false;
  }

  const void* entries_ = nullptr;
  size_t count_ = 0;
  bool (*dispatch_)(CDialog&, const void*, size_t, UINT_PTR, UINT, NMHDR*, LRESULT*) = nullptr;
};

using CommandMap = MessageMap<CommandEntry>;
using NotifyMap = MessageMap<NotifyEntry>;

}  // namespace kit
