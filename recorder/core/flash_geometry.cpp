#include "recorder/core/flash_geometry.h"

namespace recorder {

namespace {
bool Contains(const Rect& r, std::int32_t x, std::int32_t y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}
} // namespace

FlashGeometry PlaceAroundGeometry(std::int32_t left, std::int32_t top, std::int32_t width,
                                  std::int32_t height) {
  const std::int32_t w = width, h = height;
  FlashGeometry g{};
  g.window = {left - 8, top - 8, left - 8 + w + 16, top - 8 + h + 16};
  g.outer = {0, 0, w + 16, h + 16};
  g.cutouts = {Rect{8, 8, w + 9, h + 9}, Rect{0, 24, w + 16, h - 11}, Rect{24, 0, w - 11, h + 16}};
  g.areaLeft = left;
  g.areaTop = top;
  g.areaRight = left + w - 1;
  g.areaBottom = top + h - 1;
  return g;
}

bool InCornerMarks(const FlashGeometry& g, std::int32_t x, std::int32_t y) {
  if (!Contains(g.outer, x, y)) return false;
  for (const Rect& cut : g.cutouts)
    if (Contains(cut, x, y)) return false;
  return true;
}

} // namespace recorder
