// One INI section read whole, for pages that read many keys of it.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>

namespace kelvra {

// The longest value a key read gives, as the page's 1024-character buffer.
constexpr size_t kMaxIniValueLength = 1023;

class IniSection {
 public:
  // `block` is what the platform's section reader wrote: "key=value"
  // strings, each ended by a NUL, `size` characters in all.
  IniSection(const wchar_t* block, size_t size);

  // What a read of `key` alone gives: the first entry of that name in any
  // case, blanks around it gone, one pair of enclosing quotes taken off, at
  // most kMaxIniValueLength characters, cut as the key read cuts. Empty
  // when there is no such key.
  std::wstring Value(const std::wstring& key) const;
  size_t KeyCount() const { return values_.size(); }

 private:
  std::unordered_map<std::wstring, std::wstring> values_;  // by upper-case key
};

}  // namespace kelvra
