#include "skin/controls/core/scroll_geometry.h"

#include <algorithm>
#include <cstdint>

namespace skin {

namespace {

// A range of nothing still divides: the system treats it as a very long one.
constexpr int kEmptyRange = 9999999;

// Frames of the arrows image: each arrow has four (normal, pressed, disabled, hot).
constexpr int kLeftArrowFrame = 1, kUpArrowFrame = 9, kArrowGroup = 4;
constexpr int kHorzGripFrame = 17, kVertGripFrame = 20;

} // namespace

int MulDivRound(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  const std::int64_t half = (c < 0 ? -c : c) / 2;
  const bool negative = (product < 0) != (c < 0);
  const std::int64_t magnitude = ((product < 0 ? -product : product) + half) / (c < 0 ? -c : c);
  return static_cast<int>(negative ? -magnitude : magnitude);
}

ThumbExtent ControlThumb(const ScrollNumbers& info, int trackLength, int arrowSize) {
  const int range = info.max == info.min ? kEmptyRange : info.max - info.min;
  const int usable = trackLength - 2 * arrowSize;
  const bool atStart = info.pos == info.min;
  ThumbExtent t;
  if (info.page > 0) {
    int length = MulDivRound(usable, static_cast<int>(info.page) - 1, range);
    if (length > kSmallestThumb - 1) {
      t.start = atStart ? arrowSize : MulDivRound(usable, info.pos - info.min, range) + arrowSize;
    } else {
      length = kSmallestThumb;
      t.start = atStart
                    ? arrowSize
                    : MulDivRound(usable - kSmallestThumb, info.pos - info.min, range) + arrowSize;
    }
    t.end = t.start + length;
  } else {
    t.start =
        atStart ? arrowSize
                : MulDivRound(trackLength - 3 * arrowSize, info.pos - info.min, range) + arrowSize;
    t.end = t.start + arrowSize;
  }
  return t;
}

ScrollPart HitScrollPart(int offset, int trackLength, int arrowSize, ThumbExtent thumb) {
  if (offset < arrowSize) return ScrollPart::FirstArrow;
  if (offset < thumb.start) return ScrollPart::PageBefore;
  if (offset < thumb.end) return ScrollPart::Thumb;
  if (offset < trackLength - arrowSize) return ScrollPart::PageAfter;
  return ScrollPart::SecondArrow;
}

ThumbExtent DraggedThumb(int pressStart, int moved, int thumbLength, int trackLength,
                         int arrowSize) {
  const int last = std::max(arrowSize, trackLength - arrowSize - thumbLength);
  const int start = std::clamp(pressStart + moved, arrowSize, last);
  return {start, start + thumbLength};
}

int ArrowLength(int trackLength, int arrowSize) {
  return trackLength < 2 * arrowSize ? trackLength / 2 : arrowSize;
}

int ArrowFrame(bool vertical, bool second, ArrowLook look) {
  const int first = (vertical ? kUpArrowFrame : kLeftArrowFrame) + (second ? kArrowGroup : 0);
  switch (look) {
  case ArrowLook::Pressed:
    return first + 1;
  case ArrowLook::Hot:
    return first + 3;
  default:
    return first;
  }
}

int GripFrame(bool vertical, ArrowLook look) {
  const int first = vertical ? kVertGripFrame : kHorzGripFrame;
  return first + (look == ArrowLook::Pressed ? 1 : look == ArrowLook::Hot ? 2 : 0);
}

int TrackFrame(bool enabled) {
  return enabled ? 1 : 3;
}

int ThumbFrame(ArrowLook look) {
  return look == ArrowLook::Pressed ? 2 : look == ArrowLook::Hot ? 3 : 1;
}

int ThumbDragPosition(const ScrollNumbers& info, int offset, int track, int thumb) {
  const int lastPos = info.max - std::max(static_cast<int>(info.page), 1) + 1;
  const int room = track - thumb;
  if (room <= 0 || lastPos <= info.min) return info.min;
  const int n = std::clamp(offset, 0, room);
  return std::clamp(info.min + MulDivRound(n, lastPos - info.min, room), info.min, lastPos);
}

} // namespace skin
