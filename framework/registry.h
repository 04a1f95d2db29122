// Registry access. Every failure falls back quietly: reads give 0, -1 or the
// empty string, writes return false and count in the innermost live
// CRegistryWriteRecord, if any. Values of another type than asked for count
// as absent.
#pragma once

#include <functional>
#include <string>
#include <vector>
#include <windows.h>

#include "kit/scoped_handle.h"

// What a read key and a write key share; each opens in its own way: Open
// closes any key held, then opens, and is true when a key is now open.
class CRegistryKey {
 public:
  CRegistryKey(const CRegistryKey&) = delete;
  CRegistryKey& operator=(const CRegistryKey&) = delete;

  // RegCloseKey's result, or 0 when nothing was open.
  LONG Close();

  bool IsOpen() const { return handle_.valid(); }
  HKEY Handle() const { return handle_.get(); }

  // 0 when absent, unreadable or not a REG_DWORD.
  DWORD QueryDword(const std::wstring& name) const;
  // As QueryDword, with 0xFFFFFFFF in place of 0 for every "not there" case.
  DWORD QueryDwordOrMinusOne(const std::wstring& name) const;
  // The text up to the first NUL or the end of the data; empty when absent,
  // unreadable or not a REG_SZ.
  std::wstring QueryString(const std::wstring& name) const;

  bool SetDword(const std::wstring& name, DWORD value) const;
  // Stores the text with its terminating NUL.
  bool SetString(const std::wstring& name, const std::wstring& text) const;

 protected:
  CRegistryKey() = default;
  ~CRegistryKey() = default;
  kit::ScopedRegistryKey handle_;

 private:
  bool QueryDwordValue(const std::wstring& name, DWORD* value) const;
};

// Opens an existing key for reading; an absent key is not created.
class CRegistryReadKey : public CRegistryKey {
 public:
  bool Open(HKEY hive, const std::wstring& subKey);
};

// Opens a key for reading and writing, creating it when absent.
class CRegistryWriteKey : public CRegistryKey {
 public:
  bool Open(HKEY hive, const std::wstring& subKey);
};

// Collects the first failure of the registry writes made while it lives: a key that does not open
// for writing, or a value not stored. Records nest, and a write counts in the innermost one only.
// The record also keeps what each value it saw stored held before, so that writes that failed in
// part can be taken back whole.
class CRegistryWriteRecord {
 public:
  CRegistryWriteRecord();
  ~CRegistryWriteRecord();
  CRegistryWriteRecord(const CRegistryWriteRecord&) = delete;
  CRegistryWriteRecord& operator=(const CRegistryWriteRecord&) = delete;

  // ERROR_SUCCESS while every write succeeded, else the first failure's code.
  LONG FirstError() const { return firstError_; }

  // Puts back, newest first, what each value stored under this record held
  // before: its old data, or no value where there was none. A key that these
  // writes made goes again. What cannot be put back stays as it is.
  void PutBack();

  // Counts a write's result in the innermost live record, if any.
  static LONG Note(LONG result);
  // Runs `write`, which stores value `name` of `key`, and counts it; when it
  // succeeds, the innermost live record keeps what the value held before.
  static LONG NoteValueWrite(HKEY key, const std::wstring& name,
                             const std::function<LONG()>& write);
  // Runs `create`, which creates or opens `subKey` of `hive`, and counts it;
  // the innermost live record keeps the first key of the path it made.
  static LONG NoteKeyCreate(HKEY hive, const std::wstring& subKey,
                            const std::function<LONG()>& create);

 private:
  struct PriorValue {
    kit::ScopedRegistryKey key;  // a handle of its own: the writer's closes first
    std::wstring name;
    bool existed = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
  };
  struct MadeKey {
    HKEY hive;
    std::wstring path;
  };

  CRegistryWriteRecord* outer_;
  LONG firstError_ = ERROR_SUCCESS;
  std::vector<PriorValue> priorValues_;
  std::vector<MadeKey> madeKeys_;
};

// For tests only, since the registry cannot refuse one value and take the
// next: when set, it is asked before each value write and answers the error
// that write fails with, or ERROR_SUCCESS to let it through. Null, and never
// asked, unless a test sets it.
using RegistryWriteRefusal = LONG (*)(const std::wstring& name);
void SetRegistryWriteRefusal(RegistryWriteRefusal refusal);

// One-call helpers on HKEY_CURRENT_USER.
// True when the value was stored.
bool WriteRegistryString(const std::wstring& subKey, const std::wstring& name,
                         const std::wstring& text);
// False, with `out` untouched, when the key cannot be opened; otherwise `out`
// holds the value (empty when absent).
bool ReadRegistryString(const std::wstring& subKey, const std::wstring& name, std::wstring* out);
