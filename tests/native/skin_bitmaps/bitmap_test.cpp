// The portable bitmap: sizes and limits, copies, nearest-neighbour stretching and keyed drawing.
#include "framework/core/bitmap.h"
#include "test_bmp.h"

#include <gtest/gtest.h>

namespace {

using bmptest::CoordinateImage;
using bmptest::CoordinatePixel;
using fw::Pixel;
using fw::TBitmap;

TEST(Bitmap, ColourAndPixelOrdersConvertBothWays) {
  EXPECT_EQ(fw::PixelOf(0x0000FF), 0xFF0000u); // red
  EXPECT_EQ(fw::PixelOf(0xFF0000), 0x0000FFu); // blue
  EXPECT_EQ(fw::ColourOf(fw::RgbPixel(1, 2, 3)), 0x030201u);
  EXPECT_EQ(fw::kMagentaPixel, fw::RgbPixel(255, 0, 255));
}

TEST(Bitmap, NewBitmapsAreBlackAndSizesAreLimited) {
  TBitmap b(3, 2);
  EXPECT_FALSE(b.Empty());
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(b.At(x, y), 0u);
  TBitmap empty(0, 5);
  EXPECT_TRUE(empty.Empty());
  EXPECT_THROW(b.SetSize(fw::kMaxBitmapSide + 1, 1), fw::EBitmapTooLarge);
  EXPECT_THROW(b.SetSize(fw::kMaxBitmapSide, fw::kMaxBitmapSide), fw::EBitmapTooLarge);
  EXPECT_THROW(b.SetSize(-1, 4), fw::EBitmapTooLarge);
  EXPECT_EQ(b.Width(), 3) << "a refused size keeps the bitmap";
}

TEST(Bitmap, CheckedAccessIgnoresPixelsOutside) {
  TBitmap b(2, 2);
  b.SetPixel(5, 0, 0x123456);
  b.SetPixel(-1, 0, 0x123456);
  EXPECT_EQ(b.GetPixel(5, 0), 0u);
  b.SetPixel(1, 1, 0x123456);
  EXPECT_EQ(b.GetPixel(1, 1), 0x123456u);
}

TEST(Bitmap, CopiesAreDeepAndMovesEmptyTheSource) {
  TBitmap a = CoordinateImage(4, 3);
  a.Transparent = true;
  TBitmap copy = a;
  copy.At(0, 0) = 0;
  EXPECT_EQ(a.At(0, 0), CoordinatePixel(0, 0));
  EXPECT_TRUE(copy.Transparent);
  TBitmap moved = std::move(a);
  EXPECT_TRUE(a.Empty());
  EXPECT_EQ(moved.At(3, 2), CoordinatePixel(3, 2));
}

TEST(Bitmap, FillRectStaysInside) {
  TBitmap b(4, 4);
  b.FillRect({-3, 2, 2, 10}, 0xABCDEF);
  EXPECT_EQ(b.At(0, 2), 0xABCDEFu);
  EXPECT_EQ(b.At(1, 3), 0xABCDEFu);
  EXPECT_EQ(b.At(2, 3), 0u);
  EXPECT_EQ(b.At(0, 1), 0u);
}

TEST(NearestNeighbour, MapsAreMonotonicCoverBothEndsAndRepeatEvenly) {
  for (bool vertical : {false, true}) {
    for (int source = 1; source <= 24; ++source) {
      for (int target = 1; target <= 24; ++target) {
        const std::vector<int> map = fw::NearestNeighbourMap(source, target, vertical);
        ASSERT_EQ(static_cast<int>(map.size()), target);
        if (target >= source) {
          EXPECT_EQ(map.front(), 0) << source << "->" << target;
          EXPECT_EQ(map.back(), source - 1) << source << "->" << target;
        }
        for (int i = 1; i < target; ++i) {
          EXPECT_LT(map[i - 1], map[i] + (target > source ? 1 : 0)) << source << "->" << target;
          EXPECT_LT(map[i], source);
          EXPECT_GE(map[i], 0);
        }
        if (target % source == 0) { // whole-number enlargement: every source pixel k times
          const int k = target / source;
          for (int i = 0; i < target; ++i)
            EXPECT_EQ(map[i], i / k) << source << "->" << target;
        }
        if (source % target == 0 && target > 1) { // whole-number reduction: rows keep the
          const int k = source / target;          // first of each k, columns the last
          for (int i = 0; i < target; ++i)
            EXPECT_EQ(map[i], vertical ? i * k : i * k + k - 1) << source << "->" << target;
        }
        if (target == 1 && source > 1) { // one pixel: the first row, the last column but one
          EXPECT_EQ(map[0], vertical ? 0 : source - 2) << source;
        }
      }
    }
  }
}

TEST(NearestNeighbour, ExactHalfwayCentresTakeThePixelBefore) {
  // 10 onto 25: target pixel 2's centre (2.5 of 25) lies exactly on source border 1.
  const std::vector<int> map = fw::NearestNeighbourMap(10, 25, false);
  EXPECT_EQ(map[2], 0);
  EXPECT_EQ(map[3], 1);
  // Reducing 25 rows to 10: row i takes the nearest of i × 2.5, halves rounded up.
  const std::vector<int> rows = fw::NearestNeighbourMap(25, 10, true);
  EXPECT_EQ(rows[1], 3);
  EXPECT_EQ(rows[2], 5);
  const std::vector<int> columns = fw::NearestNeighbourMap(25, 10, false);
  EXPECT_EQ(columns[9], 24) << "columns are reduced from the right edge";
  EXPECT_EQ(columns[8], 22);
}

TEST(StretchCopy, EqualSizesCopyExactly) {
  const TBitmap source = CoordinateImage(5, 4);
  TBitmap target(7, 6);
  fw::StretchCopy(target, {2, 1, 5, 4}, source, {1, 0, 4, 3});
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(target.At(2 + x, 1 + y), CoordinatePixel(1 + x, y));
  EXPECT_EQ(target.At(1, 1), 0u);
  EXPECT_EQ(target.At(5, 1), 0u);
}

TEST(StretchCopy, DoublingRepeatsEachPixelAndClipsAtTheTarget) {
  const TBitmap source = CoordinateImage(3, 2);
  TBitmap target(5, 4);
  fw::StretchCopy(target, {0, 0, 6, 4}, source, {0, 0, 3, 2});
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(target.At(x, y), CoordinatePixel(x / 2, y / 2)) << x << "," << y;
}

TEST(StretchCopy, InvertedOrEmptyRectanglesCopyNothing) {
  const TBitmap source = CoordinateImage(3, 3);
  TBitmap target(3, 3);
  fw::StretchCopy(target, {2, 0, 0, 3}, source, {0, 0, 3, 3});
  fw::StretchCopy(target, {0, 0, 3, 3}, source, {0, 0, 0, 3});
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(target.At(x, y), 0u);
}

TEST(StretchCopy, SourcePixelsOutsideTheImageLeaveTheTarget) {
  const TBitmap source = CoordinateImage(2, 2);
  TBitmap target(4, 1);
  target.Fill(0x111111);
  fw::CopyPixels(target, 0, 0, source, {-1, 0, 3, 1});
  EXPECT_EQ(target.At(0, 0), 0x111111u);
  EXPECT_EQ(target.At(1, 0), CoordinatePixel(0, 0));
  EXPECT_EQ(target.At(2, 0), CoordinatePixel(1, 0));
  EXPECT_EQ(target.At(3, 0), 0x111111u);
}

TEST(DrawTransparent, KeyPixelsLeaveTheTargetUnchanged) {
  TBitmap source = CoordinateImage(3, 2);
  source.At(1, 0) = fw::kMagentaPixel;
  source.At(2, 1) = fw::kMagentaPixel;
  TBitmap target(4, 3);
  target.Fill(0x0A0B0C);
  fw::DrawTransparent(target, 1, 1, 10, 10, source, fw::kMagentaPixel);
  EXPECT_EQ(target.At(1, 1), CoordinatePixel(0, 0));
  EXPECT_EQ(target.At(2, 1), 0x0A0B0Cu);
  EXPECT_EQ(target.At(3, 2), 0x0A0B0Cu);
  EXPECT_EQ(target.At(2, 2), CoordinatePixel(1, 1));
  EXPECT_EQ(target.At(0, 0), 0x0A0B0Cu);
}

} // namespace
