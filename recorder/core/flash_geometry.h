// Geometry of the frame window that marks a recorded rectangle with four corner marks.
#pragma once

#include <array>
#include <cstdint>

namespace recorder {

struct Rect {
  std::int32_t left, top, right, bottom; // right and bottom exclusive
  bool operator==(const Rect&) const = default;
};

struct FlashGeometry {
  Rect window;                 // screen coordinates of the window
  Rect outer;                  // window coordinates: the whole window
  std::array<Rect, 3> cutouts; // window coordinates: inner rectangle and the two bands removed
  std::int32_t areaLeft, areaTop, areaRight, areaBottom; // outlined pixels, inclusive corners
};

// The window sits 8 pixels outside the rectangle on every side; removing the inside and a
// horizontal and a vertical band leaves four L-shaped corner marks.
FlashGeometry PlaceAroundGeometry(std::int32_t left, std::int32_t top, std::int32_t width,
                                  std::int32_t height);

// True when a pixel (window coordinates) belongs to the marks.
bool InCornerMarks(const FlashGeometry& g, std::int32_t x, std::int32_t y);

} // namespace recorder
