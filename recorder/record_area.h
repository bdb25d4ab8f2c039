// What one recording takes, as the front end hands it to the engine: the kind of area, the region
// or the window's rectangle chosen when it started, and the window to follow.
#pragma once

#include "recorder/core/capture_area.h"

#include <windows.h>

namespace recorder {

struct TRecordArea {
  TAreaKind Kind = TAreaKind::FullScreen;
  Rect Bounds{};         // Region and Window: virtual-screen coordinates
  HWND Window = nullptr; // Window: the window followed
};

} // namespace recorder
