#include "recorder/core/capture_area.h"

#include "recorder/core/alignment.h"

#include <algorithm>

namespace recorder {

namespace {
// How fast the following area may move, in pixels per second of recording.
constexpr std::int64_t kFollowPixelsPerSecond = 1200;

// The start of a span `length` long moved the least distance that puts it inside [low, high).
std::int32_t SpanInside(std::int32_t start, std::int32_t length, std::int32_t low,
                        std::int32_t high) {
  if (start + length > high) start = high - length;
  return std::max(start, low);
}

// Moves `start` by at most `step` toward keeping `pointer` inside the middle half of the span.
std::int32_t FollowSpan(std::int32_t start, std::int32_t length, std::int32_t pointer,
                        std::int32_t step) {
  const std::int32_t quarter = length / 4;
  const std::int32_t middleLow = start + quarter, middleHigh = start + length - quarter;
  std::int32_t shift = 0;
  if (pointer < middleLow)
    shift = pointer - middleLow;
  else if (pointer >= middleHigh)
    shift = pointer - middleHigh + 1;
  return start + std::clamp(shift, -step, step);
}
} // namespace

Rect Intersection(const Rect& a, const Rect& b) {
  Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  return IsEmpty(r) ? Rect{0, 0, 0, 0} : r;
}

Rect DraggedRect(Point from, Point to) {
  return {std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x) + 1,
          std::max(from.y, to.y) + 1};
}

Rect KeepInside(Rect area, const Rect& screen) {
  const std::int32_t w = Width(area), h = Height(area);
  area.left = SpanInside(area.left, w, screen.left, screen.right);
  area.top = SpanInside(area.top, h, screen.top, screen.bottom);
  area.right = area.left + w;
  area.bottom = area.top + h;
  return area;
}

std::optional<Rect> ClipRegion(const Rect& region, const Rect& screen) {
  Rect r = Intersection(region, screen);
  if (IsEmpty(r)) return std::nullopt;
  r.right = r.left + std::min(std::max(Width(r), kMinAreaSide), Width(screen));
  r.bottom = r.top + std::min(std::max(Height(r), kMinAreaSide), Height(screen));
  return KeepInside(r, screen);
}

Rect AlignArea(const Rect& area, std::int32_t alignment, const Rect& screen) {
  Rect r = area;
  r.right = r.left + AlignDimension(Width(area), alignment, Width(screen));
  r.bottom = r.top + AlignDimension(Height(area), alignment, Height(screen));
  return KeepInside(r, screen);
}

Rect FollowStart(Point cursor, std::int32_t width, std::int32_t height, const Rect& screen) {
  const std::int32_t w = std::clamp(width, kMinAreaSide, std::max(Width(screen), kMinAreaSide));
  const std::int32_t h = std::clamp(height, kMinAreaSide, std::max(Height(screen), kMinAreaSide));
  const Rect centred{cursor.x - w / 2, cursor.y - h / 2, cursor.x - w / 2 + w,
                     cursor.y - h / 2 + h};
  return KeepInside(centred, screen);
}

std::int32_t FollowStep(std::int32_t msPerFrame, const Rect& area) {
  const std::int64_t most = std::max<std::int64_t>(1, std::min(Width(area), Height(area)) / 4);
  const std::int64_t step = kFollowPixelsPerSecond * std::max(msPerFrame, 1) / 1000;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(step, 1, most));
}

Rect FollowCursor(const Rect& area, Point cursor, std::int32_t step, const Rect& screen) {
  const std::int32_t w = Width(area), h = Height(area);
  Rect moved{FollowSpan(area.left, w, cursor.x, step), FollowSpan(area.top, h, cursor.y, step), 0,
             0};
  moved.right = moved.left + w;
  moved.bottom = moved.top + h;
  return KeepInside(moved, screen);
}

std::optional<Rect> NextWindowArea(const Rect& current, const FollowedWindowFact& window) {
  if (!window.exists) return std::nullopt;
  if (!window.shown) return current;
  return FollowedWindowArea(window.rect, Width(current), Height(current));
}

VisiblePart VisiblePartOf(const Rect& area, const Rect& screen) {
  const Rect source = Intersection(area, screen);
  if (IsEmpty(source)) return {};
  return {source, {source.left - area.left, source.top - area.top}};
}

std::optional<WindowFact> WindowAt(Point p, const std::vector<WindowFact>& windows) {
  for (const WindowFact& w : windows) {
    if (!w.visible || w.minimized || w.ours) continue;
    if (Width(w.rect) < kMinAreaSide || Height(w.rect) < kMinAreaSide) continue;
    if (Contains(w.rect, p)) return w;
  }
  return std::nullopt;
}

} // namespace recorder
