// The chooser of what a recording takes: a see-through, topmost overlay over the live screen (all
// monitors) with a cross-hair cursor. A drag marks a region, drawn as it goes with its size in
// pixels beside it; a click without a drag takes the window under the cursor (in window mode the
// window under the cursor is outlined, and a click picks it); Return takes the last region of this
// run again; Esc or a right click cancels. Runs modally on the calling (main) thread.
#pragma once

#include "recorder/core/capture_area.h"

#include <windows.h>

#include <optional>

namespace app {

enum class TChooserMode { Region, Window };

struct TChosenArea {
  // Virtual-screen coordinates, at least 16 x 16: a region clipped to the screen, or the picked
  // window's own rectangle, which may reach off the screen.
  recorder::Rect rect{};
  HWND window = nullptr; // the window picked (window mode), else null
};

// What the user chose, or nullopt when the choice was cancelled. `lastRegion` is what Return
// takes.
std::optional<TChosenArea> ChooseArea(TChooserMode mode,
                                      const std::optional<recorder::Rect>& lastRegion);

} // namespace app
