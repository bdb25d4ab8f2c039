#include "skin/data/core/region_runs.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace skin {

namespace {

struct Range {
  int low, high;
  Range(int value, int tolerance) : low(value), high(std::min(255, value + tolerance)) {}
  bool Holds(int value) const { return value >= low && value <= high; }
};

} // namespace

std::size_t CollectOpaqueRuns(const TBitmap& image, int offsetX, int offsetY, int toleranceBlue,
                              int toleranceGreen, int toleranceRed, fw::ColorRef colour,
                              const std::function<void(const TRegionBatch&)>& batch) {
  const Range red(static_cast<int>(colour & 0xFF), toleranceRed);
  const Range green(static_cast<int>((colour >> 8) & 0xFF), toleranceGreen);
  const Range blue(static_cast<int>((colour >> 16) & 0xFF), toleranceBlue);
  auto transparent = [&](fw::Pixel p) {
    return red.Holds(static_cast<int>((p >> 16) & 0xFF)) &&
           green.Holds(static_cast<int>((p >> 8) & 0xFF)) && blue.Holds(static_cast<int>(p & 0xFF));
  };

  std::vector<TRect> rects;
  rects.reserve(kRegionGrowRects);
  const TRect emptyBounds{INT_MAX, INT_MAX, 0, 0};
  TRect bounds = emptyBounds;
  std::size_t total = 0;
  auto flush = [&] {
    if (rects.empty()) return;
    batch({rects, bounds});
    rects.clear();
    bounds = emptyBounds;
  };

  for (int y = 0; y < image.Height(); ++y) {
    const fw::Pixel* row = image.ScanLine(y);
    int x = 0;
    while (x < image.Width()) {
      while (x < image.Width() && transparent(row[x]))
        ++x;
      if (x == image.Width()) break;
      const int start = x;
      while (x < image.Width() && !transparent(row[x]))
        ++x;
      if (rects.size() == rects.capacity()) rects.reserve(rects.size() + kRegionGrowRects);
      rects.push_back({start + offsetX, y + offsetY, x + offsetX, y + offsetY + 1});
      bounds = {std::min(bounds.Left, start), std::min(bounds.Top, y), std::max(bounds.Right, x),
                std::max(bounds.Bottom, y + 1)};
      ++total;
      if (rects.size() == kRegionBatchRects) flush();
    }
  }
  flush();
  return total;
}

} // namespace skin
