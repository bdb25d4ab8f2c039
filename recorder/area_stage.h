// The area stage of a recording: the rectangle each frame takes. The screen and a region stay
// where they are; a followed window is looked up at every frame (its size that of the start; while
// it is minimised or hidden the area stays where it was last seen), an area following the mouse
// moves toward the cursor a limited distance per frame. The size is fixed once the compressor's
// alignment is known.
#pragma once

#include "recorder/record_area.h"

#include <optional>

namespace recorder {

class TAreaStage {
public:
  // `primary` is the screen a whole-screen recording takes.
  TAreaStage(const TRecordArea& area, const Rect& primary);

  // The rectangle of the first frame, before alignment.
  const Rect& Current() const { return current_; }
  // The screen the rectangle stays on, which also limits the alignment.
  const Rect& Limit() const { return limit_; }
  // The aligned rectangle: its size is kept from here on.
  void Fix(const Rect& aligned) { current_ = aligned; }
  // The rectangle of the next frame at `msPerFrame`; nullopt when the followed window is gone.
  std::optional<Rect> Next(std::int32_t msPerFrame);
  // Where the next frame will be, asked right after a grab so that the marks move there a whole
  // interval before it: a screen that repaints what they uncover late (or composes a moment
  // later) then shows no trace of their old place in the grab. A following area keeps this as
  // its next step; a window is looked up again by Next, since it may move meanwhile.
  std::optional<Rect> Ahead(std::int32_t msPerFrame);

private:
  // The following area's step toward the cursor from where it is.
  Rect TowardCursor(std::int32_t msPerFrame) const;

  const TRecordArea area_;
  Rect limit_;
  Rect current_;
  std::optional<Rect> ahead_; // the following area's next step, once Ahead decided it
};

} // namespace recorder
