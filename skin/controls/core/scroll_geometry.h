// Where the parts of a skinned scroll bar lie and which one a point hits, decided from the
// numbers the system reports (scroll info, the bar's length, the arrow size), so that the
// thumb's size and position and the thumb drag of a combo box's list can be checked alone.
// Lengths and positions are in pixels along the bar's axis, from its start.
#pragma once

namespace skin {

// Parts of a scroll bar; the numbers are also the scroll codes of WM_HSCROLL / WM_VSCROLL.
enum class ScrollPart {
  None = -1,
  FirstArrow = 0,  // SB_LINEUP
  SecondArrow = 1, // SB_LINEDOWN
  PageBefore = 2,  // SB_PAGEUP
  PageAfter = 3,   // SB_PAGEDOWN
  Thumb = 5,       // SB_THUMBTRACK
};

// The scroll info of a bar (SCROLLINFO's range, page and position).
struct ScrollNumbers {
  int min = 0, max = 0;
  unsigned page = 0;
  int pos = 0;
};

struct ThumbExtent {
  int start = 0, end = 0;
  int Length() const { return end - start; }
  bool operator==(const ThumbExtent&) const = default;
};

// The smallest thumb a bar with a page shows.
inline constexpr int kSmallestThumb = 8;

// a × b / c rounded to the nearest integer, halves away from zero; -1 when c is 0 (the system's
// MulDiv).
int MulDivRound(int a, int b, int c);

// The thumb of a scroll-bar control `trackLength` long with arrows `arrowSize` long: without a
// page one arrow long, with a page proportional to it but at least kSmallestThumb.
ThumbExtent ControlThumb(const ScrollNumbers& info, int trackLength, int arrowSize);

// The part under `offset` of a bar `trackLength` long.
ScrollPart HitScrollPart(int offset, int trackLength, int arrowSize, ThumbExtent thumb);

// The thumb while it is dragged on an overlay: moved by `moved` from where the press found it,
// kept between the arrows.
ThumbExtent DraggedThumb(int pressStart, int moved, int thumbLength, int trackLength,
                         int arrowSize);

// The length of each arrow of a bar: the arrow size, or half the bar when it is shorter than two.
int ArrowLength(int trackLength, int arrowSize);

// The frames of the skin's arrows image (23 frames side by side).
enum class ArrowLook { Normal, Pressed, Hot };
int ArrowFrame(bool vertical, bool second, ArrowLook look);
// The grip drawn on the thumb: 17 (horizontal) or 20 (vertical), +1 pressed, +2 hot.
int GripFrame(bool vertical, ArrowLook look);
// Track frames: 1 enabled, 3 disabled. Thumb frames: 1 normal, 2 pressed, 3 hot.
int TrackFrame(bool enabled);
int ThumbFrame(ArrowLook look);

// The position a combo box list's thumb dragged to `offset` (its top, from the end of the first
// arrow) stands for. `track` is the room between the arrows, `thumb` the thumb's length. A thumb
// at the end gives at most max − page + 1, the last position that shows the last page.
int ThumbDragPosition(const ScrollNumbers& info, int offset, int track, int thumb);

} // namespace skin
