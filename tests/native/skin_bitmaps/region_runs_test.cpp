// The run list behind window regions: runs, tolerance, offsets, bounds and batching.
#include "skin/data/core/region_runs.h"
#include "test_bmp.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using fw::TBitmap;
using fw::TRect;

struct Collected {
  std::vector<std::vector<TRect>> batches;
  std::vector<TRect> bounds;
  std::vector<TRect> All() const {
    std::vector<TRect> all;
    for (const auto& b : batches)
      all.insert(all.end(), b.begin(), b.end());
    return all;
  }
};

Collected Collect(const TBitmap& image, int x = 0, int y = 0, int tolerance = 1) {
  Collected c;
  skin::CollectOpaqueRuns(image, x, y, tolerance, tolerance, tolerance, fw::kMagentaColour,
                          [&](const skin::TRegionBatch& batch) {
                            c.batches.emplace_back(batch.rects.begin(), batch.rects.end());
                            c.bounds.push_back(batch.bounds);
                          });
  return c;
}

TEST(RegionRuns, AnImageWithoutMagentaIsOneRunPerRow) {
  const Collected c = Collect(bmptest::CoordinateImage(5, 3), 10, 20);
  const std::vector<TRect> expected = {{10, 20, 15, 21}, {10, 21, 15, 22}, {10, 22, 15, 23}};
  EXPECT_EQ(c.All(), expected);
  ASSERT_EQ(c.bounds.size(), 1u);
  EXPECT_EQ(c.bounds[0], (TRect{0, 0, 5, 3})) << "bounds are of the unmoved runs";
}

TEST(RegionRuns, AnAllMagentaImageGivesNoRunsAndNoBatch) {
  TBitmap image(4, 4);
  image.Fill(fw::kMagentaPixel);
  const Collected c = Collect(image);
  EXPECT_TRUE(c.batches.empty());
}

TEST(RegionRuns, SplitsRowsAtTransparentPixelsWithinTheTolerance) {
  TBitmap image(6, 1);
  image.Fill(fw::RgbPixel(0, 0, 0));
  image.At(1, 0) = fw::RgbPixel(255, 1, 254); // green +1 is transparent; blue below is not
  image.At(3, 0) = fw::RgbPixel(255, 1, 255);
  image.At(4, 0) = fw::RgbPixel(255, 2, 255); // beyond the tolerance: opaque
  const std::vector<TRect> expected = {{0, 0, 3, 1}, {4, 0, 6, 1}};
  EXPECT_EQ(Collect(image).All(), expected);
}

TEST(RegionRuns, HandsOverBatchesOf2000Runs) {
  // Alternate opaque and magenta pixels: 50 runs per row, 100 rows: 5000 runs.
  TBitmap image(100, 100);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x)
      image.At(x, y) = x % 2 == 0 ? 0x202020 : fw::kMagentaPixel;
  const Collected c = Collect(image);
  ASSERT_EQ(c.batches.size(), 3u);
  EXPECT_EQ(c.batches[0].size(), skin::kRegionBatchRects);
  EXPECT_EQ(c.batches[1].size(), skin::kRegionBatchRects);
  EXPECT_EQ(c.batches[2].size(), 1000u);
  EXPECT_EQ(c.bounds[0], (TRect{0, 0, 99, 40}));
  EXPECT_EQ(c.bounds[2], (TRect{0, 80, 99, 100}));
  EXPECT_EQ(c.batches[2].back(), (TRect{98, 99, 99, 100}));
}

} // namespace
