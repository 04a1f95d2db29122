#include "framework/registry.h"

#include <algorithm>
#include <vector>

namespace {

// Pages run one at a time, on the driver's thread; no worker writes the
// registry. A plain pointer keeps per-thread storage out of the library,
// which a driver may load and free many times.
CRegistryWriteRecord* innermostRecord = nullptr;

}  // namespace

CRegistryWriteRecord::CRegistryWriteRecord() : outer_(innermostRecord) {
  innermostRecord = this;
}

CRegistryWriteRecord::~CRegistryWriteRecord() {
  innermostRecord = outer_;
}

LONG CRegistryWriteRecord::Note(LONG result) {
  CRegistryWriteRecord* record = innermostRecord;
  if (result != ERROR_SUCCESS && record && record->firstError_ == ERROR_SUCCESS)
    record->firstError_ = result;
  return result;
}

LONG CRegistryKey::Close() {
  if (!handle_) return ERROR_SUCCESS;
  return RegCloseKey(handle_.release());
}

bool CRegistryKey::QueryDwordValue(const std::wstring& name, DWORD* value) const {
  // One query: a value larger than a DWORD does not fit and fails like one
  // of another type.
  DWORD type = 0;
  DWORD data = 0;
  DWORD size = sizeof data;
  if (RegQueryValueExW(handle_.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data),
                       &size) != ERROR_SUCCESS ||
      type != REG_DWORD)
    return false;
  *value = data;
  return true;
}

DWORD CRegistryKey::QueryDword(const std::wstring& name) const {
  DWORD value = 0;
  return QueryDwordValue(name, &value) ? value : 0;
}

DWORD CRegistryKey::QueryDwordOrMinusOne(const std::wstring& name) const {
  DWORD value = 0;
  return QueryDwordValue(name, &value) ? value : 0xFFFFFFFFu;
}

std::wstring CRegistryKey::QueryString(const std::wstring& name) const {
  // Most values fit the first buffer; a longer one is asked for again at
  // the size the first answer gave. Sizes are in bytes.
  std::vector<wchar_t> buffer(256);
  DWORD type = 0;
  DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
  LONG result = RegQueryValueExW(handle_.get(), name.c_str(), nullptr, &type,
                                 reinterpret_cast<BYTE*>(buffer.data()), &size);
  if (result == ERROR_MORE_DATA && type == REG_SZ) {
    buffer.resize(size / sizeof(wchar_t) + 1);
    size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    result = RegQueryValueExW(handle_.get(), name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(buffer.data()), &size);
  }
  if (result != ERROR_SUCCESS || type != REG_SZ) return std::wstring();
  // The stored data need not end in a NUL, nor hold a whole number of
  // characters; only whole characters of what is stored are ever read.
  const size_t read = std::min<size_t>(size / sizeof(wchar_t), buffer.size());
  size_t length = 0;
  while (length < read && buffer[length] != L'\0') ++length;
  return std::wstring(buffer.data(), length);
}

bool CRegistryKey::SetDword(const std::wstring& name, DWORD value) const {
  const LONG result = RegSetValueExW(handle_.get(), name.c_str(), 0, REG_DWORD,
                                     reinterpret_cast<const BYTE*>(&value), sizeof value);
  return CRegistryWriteRecord::Note(result) == ERROR_SUCCESS;
}

bool CRegistryKey::SetString(const std::wstring& name, const std::wstring& text) const {
  const LONG result = RegSetValueExW(handle_.get(), name.c_str(), 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(text.c_str()),
                                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  return CRegistryWriteRecord::Note(result) == ERROR_SUCCESS;
}

bool CRegistryReadKey::Open(HKEY hive, const std::wstring& subKey) {
  Close();
  HKEY opened = nullptr;
  if (RegOpenKeyExW(hive, subKey.c_str(), 0, KEY_READ, &opened) == ERROR_SUCCESS)
    handle_.reset(opened);
  return IsOpen();
}

bool CRegistryWriteKey::Open(HKEY hive, const std::wstring& subKey) {
  Close();
  HKEY opened = nullptr;
  const LONG result = RegCreateKeyExW(hive, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_READ | KEY_WRITE, nullptr, &opened, nullptr);
  if (CRegistryWriteRecord::Note(result) == ERROR_SUCCESS) handle_.reset(opened);
  return IsOpen();
}

bool WriteRegistryString(const std::wstring& subKey, const std::wstring& name,
                         const std::wstring& text) {
  CRegistryWriteKey key;
  return key.Open(HKEY_CURRENT_USER, subKey) && key.SetString(name, text);
}

bool ReadRegistryString(const std::wstring& subKey, const std::wstring& name, std::wstring* out) {
  CRegistryReadKey key;
  if (!key.Open(HKEY_CURRENT_USER, subKey)) return false;
  *out = key.QueryString(name);
  return true;
}
