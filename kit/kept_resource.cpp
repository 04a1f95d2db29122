#include "kit/kept_resource.h"

#include <cstring>

namespace kit {
namespace {

struct ResourceData {
  const char* bytes = "";
  DWORD size = 0;
};

ResourceData Find(HINSTANCE module, LPCWSTR name, LPCWSTR type) {
  const HRSRC found = FindResourceW(module, name, type);
  const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const auto* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (!bytes) return {};
  return {bytes, SizeofResource(module, found)};
}

void Append(std::string* key, const ResourceData& data) {
  key->append(reinterpret_cast<const char*>(&data.size), sizeof data.size);
  key->append(data.bytes, data.size);
}

// A group icon's directory: a 6-byte header whose last word is the count,
// then 14 bytes per image, the image's resource ID in the last word.
constexpr DWORD kGroupHeader = 6;
constexpr DWORD kGroupEntry = 14;

WORD WordAt(const char* bytes, DWORD offset) {
  WORD word;
  std::memcpy(&word, bytes + offset, sizeof word);
  return word;
}

}  // namespace

void AddResourceBytes(std::string* key, HINSTANCE module, LPCWSTR name, LPCWSTR type) {
  const ResourceData data = Find(module, name, type);
  Append(key, data);
  if (type != RT_GROUP_ICON || data.size < kGroupHeader) return;
  const WORD count = WordAt(data.bytes, kGroupHeader - sizeof(WORD));
  for (DWORD entry = kGroupHeader, i = 0; i < count && entry + kGroupEntry <= data.size;
       ++i, entry += kGroupEntry) {
    const WORD image = WordAt(data.bytes, entry + kGroupEntry - sizeof(WORD));
    Append(key, Find(module, MAKEINTRESOURCEW(image), RT_ICON));
  }
}

}  // namespace kit
