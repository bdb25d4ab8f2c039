// The screen as the recorder sees it: the virtual screen of every monitor, how many monitors
// there are, a window's rectangle as the user sees it and what a followed window is doing.
#pragma once

#include "recorder/core/capture_area.h"

#include <windows.h>

namespace recorder {

// A Windows rectangle as ours, and back.
inline Rect ToRect(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}
inline RECT ToRECT(const Rect& r) {
  return {r.left, r.top, r.right, r.bottom};
}

// Every monitor together; can begin at negative coordinates.
Rect VirtualScreen();
// The primary monitor.
Rect PrimaryScreen();
int MonitorCount();
// A window's rectangle without the invisible resize borders newer systems give it.
Rect VisibleWindowRect(HWND window);
// A window the system keeps out of sight although it counts as visible.
bool IsCloaked(HWND window);
// What a recording that follows `window` needs to know of it at a frame.
FollowedWindowFact FollowedWindowOf(HWND window);

} // namespace recorder
