// Registry access. Each call of a key returns the system's result; the
// Query helpers are the quiet fall-backs the pages read with: 0, -1 or the
// empty string for a value that is absent, unreadable or of another type
// than asked for.
#pragma once

#include <string>
#include <utility>
#include <vector>
#include <windows.h>

#include "kit/scoped_handle.h"

// One open key, or none. Open and Create close any key held first.
class CRegistryKey {
 public:
  // An existing key, for reading; an absent key is not created.
  [[nodiscard]] LONG Open(HKEY hive, const std::wstring& subKey);
  // For reading and writing; an absent key is created.
  [[nodiscard]] LONG Create(HKEY hive, const std::wstring& subKey);
  // RegCloseKey's result, or 0 when nothing was open.
  LONG Close();

  bool IsOpen() const { return handle_.valid(); }
  HKEY Handle() const { return handle_.get(); }

  // ERROR_UNSUPPORTED_TYPE for a value of another type; `*value` is only
  // written on success.
  [[nodiscard]] LONG ReadDword(const std::wstring& name, DWORD* value) const;
  // The text up to the first NUL or the end of the data.
  [[nodiscard]] LONG ReadString(const std::wstring& name, std::wstring* text) const;

  DWORD QueryDword(const std::wstring& name) const;
  // As QueryDword, with 0xFFFFFFFF in place of 0 for every "not there" case.
  DWORD QueryDwordOrMinusOne(const std::wstring& name) const;
  std::wstring QueryString(const std::wstring& name) const;

  [[nodiscard]] LONG SetDword(const std::wstring& name, DWORD value) const;
  // Stores the text with its terminating NUL.
  [[nodiscard]] LONG SetString(const std::wstring& name, const std::wstring& text) const;

 private:
  [[nodiscard]] LONG SetValue(const std::wstring& name, DWORD type, const void* data,
                              DWORD size) const;

  kit::ScopedRegistryKey handle_;
};

// The writes of one Next, all to one key, made through one object: the key
// is created at the first write, each write returns its result, the first
// failure is kept, and what each value held before is kept too, so that a
// Next that stored only part can be put back whole.
class CRegistryChanges {
 public:
  CRegistryChanges(HKEY hive, std::wstring subKey) : hive_(hive), subKey_(std::move(subKey)) {}
  CRegistryChanges(const CRegistryChanges&) = delete;
  CRegistryChanges& operator=(const CRegistryChanges&) = delete;

  LONG SetDword(const std::wstring& name, DWORD value);
  LONG SetString(const std::wstring& name, const std::wstring& text);

  // ERROR_SUCCESS while every write succeeded, else the first failure's code.
  LONG FirstError() const { return firstError_; }

  // Puts back, newest first, what each value stored here held before: its
  // old data, or no value where there was none. A key that these writes
  // made goes again. What cannot be put back stays as it is.
  void PutBack();

 private:
  struct PriorValue {
    std::wstring name;
    bool existed = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
  };

  // Creates the key once; a failure stands for every later write.
  LONG OpenKey();
  LONG Noted(LONG result);
  template <class Write>
  LONG Change(const std::wstring& name, const Write& write);

  HKEY hive_;
  std::wstring subKey_;
  CRegistryKey key_;
  bool opened_ = false;
  LONG openResult_ = ERROR_SUCCESS;
  std::wstring madeKey_;  // the first key of the path that the create made
  LONG firstError_ = ERROR_SUCCESS;
  std::vector<PriorValue> priorValues_;
};

// For tests only, since the registry cannot refuse one value and take the
// next: when set, it is asked before each value write and answers the error
// that write fails with, or ERROR_SUCCESS to let it through. Null, and never
// asked, unless a test sets it.
using RegistryWriteRefusal = LONG (*)(const std::wstring& name);
void SetRegistryWriteRefusal(RegistryWriteRefusal refusal);

// On HKEY_CURRENT_USER: false, with `out` untouched, when the key cannot be
// opened; otherwise `out` holds the value (empty when absent).
bool ReadRegistryString(const std::wstring& subKey, const std::wstring& name, std::wstring* out);
