#include "framework/registry.h"

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

bool CRegistryKey::QueryDwordValue(const std::string& name, DWORD* value) const {
  // One query: a value larger than a DWORD does not fit and fails like one
  // of another type.
  DWORD type = 0;
  DWORD data = 0;
  DWORD size = sizeof data;
  if (RegQueryValueExA(handle_.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data),
                       &size) != ERROR_SUCCESS ||
      type != REG_DWORD)
    return false;
  *value = data;
  return true;
}

DWORD CRegistryKey::QueryDword(const std::string& name) const {
  DWORD value = 0;
  return QueryDwordValue(name, &value) ? value : 0;
}

DWORD CRegistryKey::QueryDwordOrMinusOne(const std::string& name) const {
  DWORD value = 0;
  return QueryDwordValue(name, &value) ? value : 0xFFFFFFFFu;
}

std::string CRegistryKey::QueryString(const std::string& name) const {
  // Most values fit the first buffer; a longer one is asked for again at
  // the size the first answer gave.
  std::vector<char> buffer(256);
  DWORD type = 0;
  DWORD size = static_cast<DWORD>(buffer.size());
  LONG result = RegQueryValueExA(handle_.get(), name.c_str(), nullptr, &type,
                                 reinterpret_cast<BYTE*>(buffer.data()), &size);
  if (result == ERROR_MORE_DATA && type == REG_SZ) {
    buffer.resize(size);
    result = RegQueryValueExA(handle_.get(), name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(buffer.data()), &size);
  }
  if (result != ERROR_SUCCESS || type != REG_SZ || size == 0) return std::string();
  // The stored data need not end in a NUL; only `size` bytes are ever read.
  const size_t read = size < buffer.size() ? size : buffer.size();
  size_t length = 0;
  while (length < read && buffer[length] != '\0') ++length;
  return std::string(buffer.data(), length);
}

bool CRegistryKey::SetDword(const std::string& name, DWORD value) const {
  const LONG result = RegSetValueExA(handle_.get(), name.c_str(), 0, REG_DWORD,
                                     reinterpret_cast<const BYTE*>(&value), sizeof value);
  return CRegistryWriteRecord::Note(result) == ERROR_SUCCESS;
}

bool CRegistryKey::SetString(const std::string& name, const std::string& text) const {
  const LONG result = RegSetValueExA(handle_.get(), name.c_str(), 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(text.c_str()),
                                     static_cast<DWORD>(text.size() + 1));
  return CRegistryWriteRecord::Note(result) == ERROR_SUCCESS;
}

bool CRegistryReadKey::Open(HKEY hive, const std::string& subKey) {
  Close();
  HKEY opened = nullptr;
  if (RegOpenKeyExA(hive, subKey.c_str(), 0, KEY_READ, &opened) == ERROR_SUCCESS)
    handle_.reset(opened);
  return IsOpen();
}

bool CRegistryWriteKey::Open(HKEY hive, const std::string& subKey) {
  Close();
  HKEY opened = nullptr;
  const LONG result = RegCreateKeyExA(hive, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_READ | KEY_WRITE, nullptr, &opened, nullptr);
  if (CRegistryWriteRecord::Note(result) == ERROR_SUCCESS) handle_.reset(opened);
  return IsOpen();
}

bool WriteRegistryString(const std::string& subKey, const std::string& name,
                         const std::string& text) {
  CRegistryWriteKey key;
  return key.Open(HKEY_CURRENT_USER, subKey) && key.SetString(name, text);
}

bool ReadRegistryString(const std::string& subKey, const std::string& name, std::string* out) {
  CRegistryReadKey key;
  if (!key.Open(HKEY_CURRENT_USER, subKey)) return false;
  *out = key.QueryString(name);
  return true;
}
