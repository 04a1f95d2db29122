// Per-class message tables: static arrays of {control id, notification code,
// member function}, searched in table order. A dialog class runs its own
// table in its OnCommand or OnNotify and hands what the table does not take
// to its base class's, so a class's entries come before its base's. The
// member pointer's class is the dialog's own, so a handler of the wrong
// shape does not compile.
#pragma once

#include <cstddef>
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

// The first entry of `table` for `id` and `code`, or null.
template <class Entry, size_t N>
const Entry* FindEntry(const Entry (&table)[N], UINT_PTR id, UINT code) {
  for (const Entry& entry : table)
    if (entry.id == id && entry.code == code) return &entry;
  return nullptr;
}

// Runs the handler that `table` has for the command; false when it has none.
template <class T, size_t N>
bool RunCommand(const CommandEntry<T> (&table)[N], T& target, UINT id, UINT code) {
  const CommandEntry<T>* entry = FindEntry(table, id, code);
  if (!entry) return false;
  (target.*entry->handler)();
  return true;
}

// Runs the handler that `table` has for the notification, its answer in
// *result; false when it has none.
template <class T, size_t N>
bool RunNotify(const NotifyEntry<T> (&table)[N], T& target, NMHDR* header, LRESULT* result) {
  const NotifyEntry<T>* entry = FindEntry(table, header->idFrom, header->code);
  if (!entry) return false;
  *result = (target.*entry->handler)(header);
  return true;
}

}  // namespace kit
