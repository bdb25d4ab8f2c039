// The rectangles of a window region cut from a bitmap: every maximal horizontal run of pixels
// that are not the transparent colour, one row high, collected in batches so that the Windows
// side makes one region per batch instead of one per run.
#pragma once

#include "framework/core/bitmap.h"

#include <functional>
#include <span>

namespace skin {

using fw::TBitmap;
using fw::TRect;

// Rectangles collected before a batch is handed over, and the step the buffer grows by.
inline constexpr std::size_t kRegionBatchRects = 2000;
inline constexpr std::size_t kRegionGrowRects = 500;

struct TRegionBatch {
  std::span<const TRect> rects; // moved by the offset
  TRect bounds;                 // of the unmoved runs in this batch
};

// Scans `image` row by row. A pixel is transparent when each channel lies in
// [channel of `colour`, channel + tolerance] (capped at 255). Runs become rectangles moved by
// (offsetX, offsetY); every kRegionBatchRects of them, and once for the rest at the end (when
// there are any), `batch` receives them. Returns the number of runs.
std::size_t CollectOpaqueRuns(const TBitmap& image, int offsetX, int offsetY, int toleranceBlue,
                              int toleranceGreen, int toleranceRed, fw::ColorRef colour,
                              const std::function<void(const TRegionBatch&)>& batch);

} // namespace skin
