// CMenu: a menu owned by its object, unless it has been handed to a parent
// menu, which then destroys it with itself.
#pragma once

#include <windows.h>

#include "kit/runtime_class.h"
#include "kit/scoped_handle.h"

namespace kit {

class CMenu {
 public:
  static inline const RuntimeClass kRuntimeClass{"CMenu", nullptr};
  virtual const RuntimeClass* GetRuntimeClass() const { return &kRuntimeClass; }

  CMenu() = default;
  virtual ~CMenu() = default;
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  HMENU Handle() const { return handle_; }

  // A new empty popup menu in place of any held.
  bool CreatePopup() {
    owned_.reset(CreatePopupMenu());
    handle_ = owned_.get();
    return handle_ != nullptr;
  }
  // The handle stays usable here; whoever it was given to destroys it.
  void GiveAway() { owned_.release(); }

 private:
  // Two members, not one owner: a menu given away is still drawn through its handle.
  ScopedMenu owned_;
  HMENU handle_ = nullptr;
};

}  // namespace kit
