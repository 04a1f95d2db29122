// Run-time class names: each class names itself and its base.
#pragma once

namespace kit {

struct RuntimeClass {
  const char* className;
  const RuntimeClass* base;

  bool IsDerivedFrom(const RuntimeClass* other) const {
    for (const RuntimeClass* c = this; c; c = c->base)
      if (c == other) return true;
    return false;
  }
};

}  // namespace kit
