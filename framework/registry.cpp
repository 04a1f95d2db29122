#include "framework/registry.h"

#include <algorithm>

namespace {

RegistryWriteRefusal writeRefusal = nullptr;

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

LONG CRegistryKey::Open(HKEY hive, const std::wstring& subKey) {
  Close();
  HKEY opened = nullptr;
  const LONG result = RegOpenKeyExW(hive, subKey.c_str(), 0, KEY_READ, &opened);
  if (result == ERROR_SUCCESS) handle_.reset(opened);
  return result;
}

LONG CRegistryKey::Create(HKEY hive, const std::wstring& subKey) {
  Close();
  HKEY opened = nullptr;
  const LONG result = RegCreateKeyExW(hive, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_READ | KEY_WRITE, nullptr, &opened, nullptr);
  if (result == ERROR_SUCCESS) handle_.reset(opened);
  return result;
}

LONG CRegistryKey::Close() {
  if (!handle_) return ERROR_SUCCESS;
  return RegCloseKey(handle_.release());
}

LONG CRegistryKey::ReadDword(const std::wstring& name, DWORD* value) const {
  // One query: a value larger than a DWORD does not fit and fails like one
  // of another type.
  DWORD type = 0;
  DWORD data = 0;
  DWORD size = sizeof data;
  const LONG result = RegQueryValueExW(handle_.get(), name.c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(&data), &size);
  if (result != ERROR_SUCCESS) return result;
  if (type != REG_DWORD) return ERROR_UNSUPPORTED_TYPE;
  *value = data;
  return ERROR_SUCCESS;
}

LONG CRegistryKey::ReadString(const std::wstring& name, std::wstring* text) const {
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
  if (result != ERROR_SUCCESS) return result;
  if (type != REG_SZ) return ERROR_UNSUPPORTED_TYPE;
  // The stored data need not end in a NUL, nor hold a whole number of
  // characters; only whole characters of what is stored are ever read.
  const size_t read = std::min<size_t>(size / sizeof(wchar_t), buffer.size());
  size_t length = 0;
  while (length < read && buffer[length] != L'\0') ++length;
  text->assign(buffer.data(), length);
  return ERROR_SUCCESS;
}

DWORD CRegistryKey::QueryDword(const std::wstring& name) const {
  DWORD value = 0;
  return ReadDword(name, &value) == ERROR_SUCCESS ? value : 0;
}

DWORD CRegistryKey::QueryDwordOrMinusOne(const std::wstring& name) const {
  DWORD value = 0;
  return ReadDword(name, &value) == ERROR_SUCCESS ? value : 0xFFFFFFFFu;
}

std::wstring CRegistryKey::QueryString(const std::wstring& name) const {
  std::wstring text;
  return ReadString(name, &text) == ERROR_SUCCESS ? text : std::wstring();
}

LONG CRegistryKey::SetValue(const std::wstring& name, DWORD type, const void* data,
                            DWORD size) const {
  if (writeRefusal) {
    const LONG refused = writeRefusal(name);
    if (refused != ERROR_SUCCESS) return refused;
  }
  return RegSetValueExW(handle_.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
}

LONG CRegistryKey::SetDword(const std::wstring& name, DWORD value) const {
  return SetValue(name, REG_DWORD, &value, sizeof value);
}

LONG CRegistryKey::SetString(const std::wstring& name, const std::wstring& text) const {
  return SetValue(name, REG_SZ, text.c_str(),
                  static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

LONG CRegistryChanges::Noted(LONG result) {
  if (result != ERROR_SUCCESS && firstError_ == ERROR_SUCCESS) firstError_ = result;
  return result;
}

LONG CRegistryChanges::OpenKey() {
  if (opened_) return openResult_;
  opened_ = true;
  const std::wstring missing = FirstMissingKey(hive_, subKey_);
  openResult_ = Noted(key_.Create(hive_, subKey_));
  if (openResult_ == ERROR_SUCCESS) madeKey_ = missing;
  return openResult_;
}

template <class Write>
LONG CRegistryChanges::Change(const std::wstring& name, const Write& write) {
  const LONG opened = OpenKey();
  if (opened != ERROR_SUCCESS) return opened;
  PriorValue prior;
  prior.name = name;
  prior.existed = ReadValue(key_.Handle(), name, &prior.type, &prior.data);
  const LONG result = Noted(write());
  if (result == ERROR_SUCCESS) priorValues_.push_back(std::move(prior));
  return result;
}

LONG CRegistryChanges::SetDword(const std::wstring& name, DWORD value) {
  return Change(name, [&] { return key_.SetDword(name, value); });
}

LONG CRegistryChanges::SetString(const std::wstring& name, const std::wstring& text) {
  return Change(name, [&] { return key_.SetString(name, text); });
}

void CRegistryChanges::PutBack() {
  for (auto prior = priorValues_.rbegin(); prior != priorValues_.rend(); ++prior) {
    if (prior->existed)
      RegSetValueExW(key_.Handle(), prior->name.c_str(), 0, prior->type, prior->data.data(),
                     static_cast<DWORD>(prior->data.size()));
    else
      RegDeleteValueW(key_.Handle(), prior->name.c_str());
  }
  priorValues_.clear();
  key_.Close();
  // Everything below a key these writes made is theirs.
  if (!madeKey_.empty()) {
    RegDeleteTreeW(hive_, madeKey_.c_str());
    RegDeleteKeyW(hive_, madeKey_.c_str());
  }
  madeKey_.clear();
}

bool ReadRegistryString(const std::wstring& subKey, const std::wstring& name, std::wstring* out) {
  CRegistryKey key;
  if (key.Open(HKEY_CURRENT_USER, subKey) != ERROR_SUCCESS) return false;
  *out = key.QueryString(name);
  return true;
}
