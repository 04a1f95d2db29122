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

// Declares a class's run-time class name and base in one line of the class:
// KIT_RUNTIME_CLASS(CStatic, CWnd);
// clang-format off
#define KIT_RUNTIME_CLASS(Class, Base)                                                     \
  const ::kit::RuntimeClass* GetRuntimeClass() const override { return &kRuntimeClass; } \
  static inline const ::kit::RuntimeClass kRuntimeClass{#Class, &Base::kRuntimeClass}
// clang-format on
