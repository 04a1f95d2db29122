// Things made from resources that outlive the page that made them (image
// lists, icons, stretched pictures), kept for the rest of the process.
//
// The rule: a kept resource is reused while the bytes it was made from and
// the size and colours it was made at are unchanged, and made again when any
// of them differs.
//
// Its key holds all of those, gathered with AddResourceBytes. A handle or a
// count of loads would not do: pages load their resource library anew each
// time, and a later load may map another file at the same address.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>
#include <windows.h>

namespace kit {

// `Owner` owns what it holds (a Scoped* handle, a unique_ptr) and tests
// false when it holds nothing. Up to `kSlots` are kept, the oldest going
// first when another is made.
template <class Key, class Owner, size_t kSlots = 1>
class CKeptResource {
 public:
  using Held = decltype(std::declval<const Owner&>().get());

  // The resource made for `key`, made by `make()` unless one made for an
  // equal key is kept; null when `make` gives nothing, which is not kept.
  template <class Make>
  Held Get(const Key& key, Make make) {
    for (const Kept& kept : kept_)
      if (kept.key == key) return kept.owner.get();
    Owner made = make();
    if (!made) return nullptr;
    if (kept_.size() == kSlots) kept_.erase(kept_.begin());
    kept_.push_back({key, std::move(made)});
    return kept_.back().owner.get();
  }

 private:
  struct Kept {
    Key key;
    Owner owner;
  };
  std::vector<Kept> kept_;
};

// Appends to `key` the bytes of resource `name` of `type` in `module`,
// after their size; a missing resource adds only the size 0. A group icon
// adds the bytes of every image it names as well.
void AddResourceBytes(std::string* key, HINSTANCE module, LPCWSTR name, LPCWSTR type);

}  // namespace kit
