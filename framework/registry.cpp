#include "framework/registry.h"

#include <algorithm>
#include <vector>

namespace {

// Pages run one at a time, on the driver's thread; no worker writes the
// registry. A plain pointer keeps per-thread storage out of the library,
// which a driver may load and free many times.
CRegistryWriteRecord* innermostRecord = nullptr;

RegistryWriteRefusal writeRefusal = nullptr;

LONG SetValue(HKEY key, const std::wstring& name, DWORD type, const void* data, DWORD size) {
  if (writeRefusal) {
    const LONG refused = writeRefusal(name);
    if (refused != ERROR_SUCCESS) return refused;
  }
  return RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
}

// The value as it is stored now, read whole; false when there is none.
bool ReadValue(HKEY key, const std::wstring& name, DWORD* type, std::vector<BYTE>* data) {
  DWORD size = 0;
  if (RegQueryValueExW(key, name.c_str(), nullptr, type, nullptr, &size) != ERROR_SUCCESS)
    return false;
  data->resize(size);
  return RegQueryValueExW(key, name.c_str(), nullptr, type, data->data(), &size) == ERROR_SUCCESS;
}

// The first key on the way to `subKey` that does not exist yet; empty when
// they all do, or when one cannot be told apart from an existing key.
std::wstring FirstMissingKey(HKEY hive, const std::wstring& subKey) {
  for (size_t end = subKey.find(L'\\');; end = subKey.find(L'\\', end + 1)) {
    const std::wstring path = subKey.substr(0, end);
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExW(hive, path.c_str(), 0, KEY_READ, &opened);
    if (result == ERROR_FILE_NOT_FOUND) return path;
    if (result != ERROR_SUCCESS) return std::wstring();
    RegCloseKey(opened);
    if (end == std::wstring::npos) return std::wstring();
  }
}

}  // namespace

void SetRegistryWriteRefusal(RegistryWriteRefusal refusal) {
  writeRefusal = refusal;
}

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

LONG CRegistryWriteRecord::NoteValueWrite(HKEY key, const std::wstring& name,
                                          const std::function<LONG()>& write) {
  CRegistryWriteRecord* record = innermostRecord;
  PriorValue prior;
  prior.name = name;
  if (record) {
    // A handle of its own, since the writer's key may be closed before a put-back.
    HKEY copy = nullptr;
    if (RegOpenKeyExW(key, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &copy) == ERROR_SUCCESS)
      prior.key.reset(copy);
    prior.existed = prior.key && ReadValue(copy, name, &prior.type, &prior.data);
  }
  const LONG result = Note(write());
  if (result == ERROR_SUCCESS && prior.key) record->priorValues_.push_back(std::move(prior));
  return result;
}

LONG CRegistryWriteRecord::NoteKeyCreate(HKEY hive, const std::wstring& subKey,
                                         const std::function<LONG()>& create) {
  CRegistryWriteRecord* record = innermostRecord;
  const std::wstring missing = record ? FirstMissingKey(hive, subKey) : std::wstring();
  const LONG result = Note(create());
  if (result == ERROR_SUCCESS && !missing.empty()) record->madeKeys_.push_back({hive, missing});
  return result;
}

void CRegistryWriteRecord::PutBack() {
  for (auto prior = priorValues_.rbegin(); prior != priorValues_.rend(); ++prior) {
    if (prior->existed)
      RegSetValueExW(prior->key.get(), prior->name.c_str(), 0, prior->type, prior->data.data(),
                     static_cast<DWORD>(prior->data.size()));
    else
      RegDeleteValueW(prior->key.get(), prior->name.c_str());
  }
  priorValues_.clear();
  // Everything below a key these writes made is theirs.
  for (auto made = madeKeys_.rbegin(); made != madeKeys_.rend(); ++made) {
    RegDeleteTreeW(made->hive, made->path.c_str());
    RegDeleteKeyW(made->hive, made->path.c_str());
  }
  madeKeys_.clear();
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
  return CRegistryWriteRecord::NoteValueWrite(handle_.get(), name, [&] {
           return SetValue(handle_.get(), name, REG_DWORD, &value, sizeof value);
         }) == ERROR_SUCCESS;
}

bool CRegistryKey::SetString(const std::wstring& name, const std::wstring& text) const {
  return CRegistryWriteRecord::NoteValueWrite(handle_.get(), name, [&] {
           return SetValue(handle_.get(), name, REG_SZ, text.c_str(),
                           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
         }) == ERROR_SUCCESS;
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
  const LONG result = CRegistryWriteRecord::NoteKeyCreate(hive, subKey, [&] {
    return RegCreateKeyExW(hive, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_READ | KEY_WRITE, nullptr, &opened, nullptr);
  });
  if (result == ERROR_SUCCESS) handle_.reset(opened);
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
