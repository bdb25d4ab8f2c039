// What part of the screen a recording takes, frame by frame: the kinds of area a user can choose,
// a dragged region clipped to the screen, the alignment a compressor asks for, the area that
// follows the mouse, a followed window's rectangle and the part of an area that lies on the
// screen. Everything is in virtual-screen coordinates: the screen of several monitors can begin
// at negative coordinates.
#pragma once

#include "recorder/core/flash_geometry.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace recorder {

struct Point {
  std::int32_t x, y;
  bool operator==(const Point&) const = default;
};

// What a recording takes.
enum class TAreaKind {
  FullScreen,  // the primary screen, as it always did (no marks)
  AllScreens,  // every monitor together: the virtual screen
  Region,      // a region dragged when the recording starts
  Window,      // a window picked when the recording starts, followed when it moves
  FollowMouse, // an area of a chosen size that follows the mouse
};

// The smallest area recorded, in either direction.
inline constexpr std::int32_t kMinAreaSide = 16;

inline std::int32_t Width(const Rect& r) {
  return r.right - r.left;
}
inline std::int32_t Height(const Rect& r) {
  return r.bottom - r.top;
}
inline bool IsEmpty(const Rect& r) {
  return r.right <= r.left || r.bottom <= r.top;
}
inline bool Contains(const Rect& r, Point p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}
Rect Intersection(const Rect& a, const Rect& b);

// The rectangle a drag from `from` to `to` covers, both end pixels included, whichever way it
// went.
Rect DraggedRect(Point from, Point to);

// `area` moved the least distance that puts it inside `screen` (aligned left/top when it is
// larger than the screen).
Rect KeepInside(Rect area, const Rect& screen);

// A region as it is recorded: its part on the screen, grown to at least kMinAreaSide in each
// direction (staying on the screen); nullopt when it does not touch the screen.
std::optional<Rect> ClipRegion(const Rect& region, const Rect& screen);

// The area after the compressor's alignment: width and height raised to the next multiple of
// `alignment` (lowered when the raised size would not fit on `screen`), then moved back onto the
// screen where the raised size made it stick out.
Rect AlignArea(const Rect& area, std::int32_t alignment, const Rect& screen);

// The following area when the recording starts: `width` x `height` (at most the screen's size, at
// least kMinAreaSide) centred on the cursor, on the screen.
Rect FollowStart(Point cursor, std::int32_t width, std::int32_t height, const Rect& screen);

// How far the following area moves in one frame of `msPerFrame`: smooth at any interval, at least
// 1 pixel and never more than a quarter of the area's smaller side.
std::int32_t FollowStep(std::int32_t msPerFrame, const Rect& area);

// The following area for the next frame: moved toward keeping the cursor inside its middle half
// (a quarter of its size in from each edge), at most `step` pixels in each direction, never past
// the screen's edges.
Rect FollowCursor(const Rect& area, Point cursor, std::int32_t step, const Rect& screen);

// A followed window's area: where the window is now, with the size it had when the recording
// started.
inline Rect FollowedWindowArea(const Rect& windowNow, std::int32_t width, std::int32_t height) {
  return {windowNow.left, windowNow.top, windowNow.left + width, windowNow.top + height};
}

// A followed window as it is at a frame.
struct FollowedWindowFact {
  bool exists = true; // the window is still there (it has not been closed)
  bool shown = true;  // visible and not minimised
  Rect rect{};        // its rectangle now, as the user sees it
};
// The followed window's area for the next frame, nullopt once the window is closed: where the
// window is now, with the size of `current`. While it is minimised or hidden, its rectangle is not
// the window's (a minimised window sits at the system's parking place far off the screen, or is
// an icon's rectangle): the area stays where the window was last seen and records what the screen
// shows there, until the window comes back.
std::optional<Rect> NextWindowArea(const Rect& current, const FollowedWindowFact& window);

// The part of an area that lies on the screen and where it goes in the frame; the rest of the
// frame stays black. Empty `source` when nothing of the area is on the screen.
struct VisiblePart {
  Rect source;  // screen coordinates
  Point offset; // top-left of `source` in the frame
};
VisiblePart VisiblePartOf(const Rect& area, const Rect& screen);

// Whether the corner marks go around an area of this kind: not around the whole screen.
inline bool MarksAround(TAreaKind kind) {
  return kind != TAreaKind::FullScreen && kind != TAreaKind::AllScreens;
}

// A top-level window as the chooser sees it, in z order (topmost first).
struct WindowFact {
  std::uintptr_t id = 0;
  Rect rect{};
  bool visible = true;
  bool minimized = false;
  bool ours = false; // the chooser's own overlay and the program's hidden windows
};
// The window a click at `p` picks: the first visible, not minimized window not of ours whose
// rectangle (at least kMinAreaSide each way) holds the point; nullopt when there is none.
std::optional<WindowFact> WindowAt(Point p, const std::vector<WindowFact>& windows);

} // namespace recorder
