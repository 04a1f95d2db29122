// Types and measures the drives on worker threads, one per drive letter, so
// that a drive which stops answering (an offline network share) never holds
// up a page. Process-wide: what a drive answered is kept for the life of
// the process.
#pragma once

#include <vector>

#include <windows.h>

#include "pages/disk_cost/drive_space.h"

namespace kelvra {

// How long a drive may take before it is shown as not answering.
constexpr DWORD kDriveAnswerDeadlineMs = 2000;

struct DriveProbeView {
  // Letter order: the fixed and network drives that answered and, once the
  // deadline has passed, those still silent (answered = false).
  std::vector<DriveSpace> drives;
  bool settled = false;     // every drive has answered
  DWORD untilDeadline = 0;  // ms left before silent drives are listed
};

// Asks every drive the system knows, unless a round is under way or an
// earlier one found a drive to list. A Disk Cost request calls it; reading
// what has answered never does.
void StartDriveProbe();
DriveProbeView ReadDriveProbe();

// `window` is posted `message` whenever a drive answers, until it stops
// listening (StopDriveAnswers with the same window).
void ListenForDriveAnswers(HWND window, UINT message);
void StopDriveAnswers(HWND window);

// What the probe asks of the system: the drive map, the clock and its
// workers. Tests put their own in its place to hold a drive silent, refuse
// a worker or move the clock.
struct DriveProbeSystem {
  DWORD(WINAPI* logicalDrives)();
  DWORD(WINAPI* tickCount)();
  HANDLE(WINAPI* createThread)
  (LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD, LPDWORD);
};
DriveProbeSystem RealDriveProbeSystem();
// Forgets every answer, so the next round asks `system`; call it only when
// no worker of an earlier round is still running.
void ReplaceDriveProbeSystem(const DriveProbeSystem& system);

}  // namespace kelvra
