#include "pages/disk_cost/drive_probe.h"

#include <cstdint>

#include "kit/held_lock.h"
#include "pages/disk_cost/disk_cost_math.h"

namespace kelvra {
namespace {

constexpr int kLetters = 26;

enum class Answer { kNotAsked, kPending, kListed, kLeftOut };

struct Slot {
  Answer answer = Answer::kNotAsked;
  bool typed = false;  // the type comes first; the free space may stall alone
  UINT type = DRIVE_UNKNOWN;
  DriveSpace space;
};

// What the page thread and the workers share; every member under `lock`.
struct Probe {
  SRWLOCK lock = SRWLOCK_INIT;
  Slot slots[kLetters];
  DWORD startedAt = 0;
  HWND listener = nullptr;
  UINT message = 0;
  DriveProbeSystem system = RealDriveProbeSystem();

  void Tell() const {
    if (listener) PostMessageW(listener, message, 0, 0);
  }
};

Probe g_probe;

// No "insert a disk" box for an empty removable drive while measuring.
class QuietDriveErrors {
 public:
  QuietDriveErrors() { SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous_); }
  ~QuietDriveErrors() { SetThreadErrorMode(previous_, nullptr); }
  QuietDriveErrors(const QuietDriveErrors&) = delete;
  QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

 private:
  DWORD previous_ = 0;
};

bool IsListedType(UINT type) {
  return type == DRIVE_FIXED || type == DRIVE_REMOTE;
}

// Asked by its root: "X:" alone would mean the current folder of that drive.
void Measure(int index) {
  const QuietDriveErrors quiet;
  const wchar_t letter = static_cast<wchar_t>(L'A' + index);
  const std::wstring root = DriveNameOf(letter) + L"\\";
  const UINT type = GetDriveTypeW(root.c_str());
  {
    const kit::HeldLock hold(&g_probe.lock);
    g_probe.slots[index].typed = true;
    g_probe.slots[index].type = type;
  }
  ULARGE_INTEGER freeToCaller{}, total{};
  const bool listed = IsListedType(type) &&
                      GetDiskFreeSpaceExW(root.c_str(), &freeToCaller, &total, nullptr) &&
                      total.QuadPart != 0;
  const kit::HeldLock hold(&g_probe.lock);
  Slot& slot = g_probe.slots[index];
  slot.answer = listed ? Answer::kListed : Answer::kLeftOut;
  if (listed) {
    slot.space.total = total.QuadPart;
    slot.space.free = freeToCaller.QuadPart;
    slot.space.remaining = static_cast<int64_t>(freeToCaller.QuadPart);
    slot.space.isNetwork = type == DRIVE_REMOTE ? 1 : 0;
  }
  g_probe.Tell();
}

// A worker holds its own reference to this module, so a driver that frees
// the library while a drive is still silent unloads it only once the
// worker has woken and left.
DWORD WINAPI MeasureAndLeave(void* parameter) {
  Measure(static_cast<int>(reinterpret_cast<uintptr_t>(parameter)));
  HMODULE self = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&MeasureAndLeave), &self);
  FreeLibraryAndExitThread(self, 0);
}

void StartWorker(int index) {
  HMODULE held = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                          reinterpret_cast<LPCWSTR>(&MeasureAndLeave), &held))
    return;
  HANDLE thread = g_probe.system.createThread(
      nullptr, 0, MeasureAndLeave, reinterpret_cast<void*>(static_cast<uintptr_t>(index)), 0,
      nullptr);
  if (thread)
    CloseHandle(thread);
  else
    FreeLibrary(held);
}

// Under the lock: a round is pending, or found something to list.
bool RoundNeedsNoRestart() {
  for (const Slot& slot : g_probe.slots)
    if (slot.answer == Answer::kPending || slot.answer == Answer::kListed) return true;
  return false;
}

}  // namespace

void StartDriveProbe() {
  const kit::HeldLock hold(&g_probe.lock);
  if (RoundNeedsNoRestart()) return;
  g_probe.startedAt = g_probe.system.tickCount();
  // The drive map itself is the system's and never touches a drive.
  const DWORD present = g_probe.system.logicalDrives();
  for (int index = 0; index < kLetters; ++index) {
    Slot& slot = g_probe.slots[index];
    slot = Slot();
    slot.space.name = DriveNameOf(static_cast<wchar_t>(L'A' + index));
    if (!(present & (1u << index))) continue;
    // Pending before the worker runs, so its answer cannot be overwritten.
    // One without a worker stays pending: past the deadline it is listed as
    // not answering, as a silent drive is, rather than left out.
    slot.answer = Answer::kPending;
    StartWorker(index);
  }
}

DriveProbeView ReadDriveProbe() {
  const kit::HeldLock hold(&g_probe.lock);
  const DWORD waited = g_probe.system.tickCount() - g_probe.startedAt;
  const bool pastDeadline = waited >= kDriveAnswerDeadlineMs;
  DriveProbeView view;
  view.settled = true;
  view.untilDeadline = pastDeadline ? 0 : kDriveAnswerDeadlineMs - waited;
  for (const Slot& slot : g_probe.slots) {
    if (slot.answer == Answer::kListed) view.drives.push_back(slot.space);
    if (slot.answer != Answer::kPending) continue;
    view.settled = false;
    // A drive whose type is known and not listed would not be shown anyway.
    if (!pastDeadline || (slot.typed && !IsListedType(slot.type))) continue;
    DriveSpace silent = slot.space;
    silent.answered = false;
    // One that does not even tell its type is, in practice, a share gone away.
    silent.isNetwork = !slot.typed || slot.type == DRIVE_REMOTE ? 1 : 0;
    view.drives.push_back(silent);
  }
  return view;
}

void ListenForDriveAnswers(HWND window, UINT message) {
  const kit::HeldLock hold(&g_probe.lock);
  g_probe.listener = window;
  g_probe.message = message;
}

void StopDriveAnswers(HWND window) {
  const kit::HeldLock hold(&g_probe.lock);
  if (g_probe.listener == window) g_probe.listener = nullptr;
}

DriveProbeSystem RealDriveProbeSystem() {
  return {GetLogicalDrives, GetTickCount, CreateThread};
}

void ReplaceDriveProbeSystem(const DriveProbeSystem& system) {
  const kit::HeldLock hold(&g_probe.lock);
  g_probe.system = system;
  for (Slot& slot : g_probe.slots) slot = Slot();
}

}  // namespace kelvra
