// Frame geometry and the nine-part rendering of skin elements.
#include "skin/data/core/nine_slice.h"
#include "test_bmp.h"

#include <gtest/gtest.h>

namespace {

using fw::Pixel;
using fw::RgbPixel;
using fw::TBitmap;
using skin::TMargins;

// A frame whose nine parts are solid colours, so every output pixel tells where it came from.
// Columns: L wide left, M wide middle, R wide right; rows likewise.
struct NineColourFrame {
  int L, M, R, T, N, B;
  static Pixel Part(int column, int row) { return RgbPixel(40 + 60 * column, 40 + 60 * row, 7); }
  TBitmap Image() const {
    TBitmap image(L + M + R, T + N + B);
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x)
        image.At(x, y) = Part(x < L ? 0 : x < L + M ? 1 : 2, y < T ? 0 : y < T + N ? 1 : 2);
    return image;
  }
};

TEST(FrameRect, PicksTheFthOfNEqualParts) {
  const TBitmap strip(60, 10);
  EXPECT_EQ(skin::FrameRect(strip, false, 3, 2), (fw::TRect{20, 0, 40, 10}));
  const TBitmap stack(8, 30);
  EXPECT_EQ(skin::FrameRect(stack, true, 3, 3), (fw::TRect{0, 20, 8, 30}));
  EXPECT_EQ(skin::FrameRect(stack, true, 0, 1), (fw::TRect{0, 0, 8, 30})) << "no frame count";
}

TEST(RenderNineSlice, FrameTwoOfThreeIsColumns20To39) {
  TBitmap strip = bmptest::CoordinateImage(60, 4);
  const TBitmap r = skin::RenderNineSlice(20, 4, strip, {}, false, false, 3, 2);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 20; ++x)
      EXPECT_EQ(r.At(x, y), bmptest::CoordinatePixel(20 + x, y));
}

TEST(RenderNineSlice, KeepsCornersAndEdgesAndStretchesTheMiddle) {
  const NineColourFrame f{3, 4, 2, 2, 3, 1};
  const TBitmap r = skin::RenderNineSlice(30, 12, f.Image(), {3, 2, 2, 1}, false, false, 1, 1);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 30; ++x) {
      const int column = x < 3 ? 0 : x < 28 ? 1 : 2;
      const int row = y < 2 ? 0 : y < 11 ? 1 : 2;
      ASSERT_EQ(r.At(x, y), NineColourFrame::Part(column, row)) << x << "," << y;
    }
  }
}

TEST(RenderNineSlice, DropsSideMarginsWhenTheTargetIsTooNarrowOrLow) {
  const NineColourFrame f{3, 4, 3, 2, 2, 2};
  // 5 < 3 + 3: the whole frame width is stretched, the top and bottom parts stay.
  const TBitmap narrow = skin::RenderNineSlice(5, 10, f.Image(), {3, 2, 3, 2}, false, false, 1, 1);
  const std::vector<int> columns = fw::NearestNeighbourMap(10, 5, false);
  for (int x = 0; x < 5; ++x) {
    const int c = columns[static_cast<std::size_t>(x)];
    const int column = c < 3 ? 0 : c < 7 ? 1 : 2;
    EXPECT_EQ(narrow.At(x, 0), NineColourFrame::Part(column, 0)) << x;
    EXPECT_EQ(narrow.At(x, 5), NineColourFrame::Part(column, 1)) << x;
    EXPECT_EQ(narrow.At(x, 9), NineColourFrame::Part(column, 2)) << x;
  }
  // 3 < 2 + 2: the same vertically.
  const TBitmap low = skin::RenderNineSlice(20, 3, f.Image(), {3, 2, 3, 2}, false, false, 1, 1);
  const std::vector<int> rows = fw::NearestNeighbourMap(6, 3, true);
  for (int y = 0; y < 3; ++y) {
    const int s = rows[static_cast<std::size_t>(y)];
    const int row = s < 2 ? 0 : s < 4 ? 1 : 2;
    EXPECT_EQ(low.At(0, y), NineColourFrame::Part(0, row)) << y;
    EXPECT_EQ(low.At(10, y), NineColourFrame::Part(1, row)) << y;
    EXPECT_EQ(low.At(19, y), NineColourFrame::Part(2, row)) << y;
  }
}

TEST(RenderNineSlice, TilesATenPixelMiddleIntoTwentyFiveAndKeepsTheRightEdge) {
  // Left 2, middle 10 (each column its own colour), right 3; one row.
  TBitmap image(15, 1);
  for (int x = 0; x < 15; ++x)
    image.At(x, 0) = RgbPixel(x * 10, 100, 200);
  const TBitmap r = skin::RenderNineSlice(30, 1, image, {2, 0, 3, 0}, false, true, 1, 1);
  for (int x = 0; x < 2; ++x)
    EXPECT_EQ(r.At(x, 0), image.At(x, 0));
  for (int x = 2; x < 27; ++x) // two full tiles and a half tile
    EXPECT_EQ(r.At(x, 0), image.At(2 + (x - 2) % 10, 0)) << x;
  for (int x = 27; x < 30; ++x) // drawn after the middle: the overflowing tile is covered
    EXPECT_EQ(r.At(x, 0), image.At(12 + (x - 27), 0)) << x;
}

TEST(RenderNineSlice, EmptyImagesAndTargetsGiveNothingVisible) {
  const TBitmap none;
  EXPECT_TRUE(skin::RenderNineSlice(4, 4, none, {1, 1, 1, 1}, false, true, 1, 1).Empty());
  // Frames that are not in the strip: past its end, number 0, a strip too small for its count.
  const TBitmap strip = bmptest::CoordinateImage(6, 6);
  EXPECT_TRUE(skin::RenderNineSlice(4, 4, strip, {}, false, false, 3, 4).Empty());
  EXPECT_TRUE(skin::RenderNineSlice(4, 4, strip, {}, true, false, 3, 0).Empty());
  EXPECT_TRUE(skin::RenderNineSlice(4, 4, strip, {}, false, false, 7, 1).Empty());
  EXPECT_FALSE(skin::RenderNineSlice(4, 4, strip, {}, false, false, 3, 3).Empty());
  EXPECT_TRUE(
      skin::RenderNineSlice(0, 4, bmptest::CoordinateImage(3, 3), {}, false, false, 1, 1).Empty());
}

TEST(TileBitmap, RepeatsTheSourceFromTheTopLeftAndRunsPastTheTarget) {
  const TBitmap image = bmptest::CoordinateImage(6, 6);
  TBitmap canvas(10, 10);
  skin::TileBitmap(canvas, {1, 1, 6, 5}, image, {2, 2, 4, 5}); // 2 × 3 tiles
  for (int y = 1; y < 10; ++y)
    for (int x = 1; x < 10; ++x) {
      const bool covered = x < 7 && y < 7; // tiles start at 1, 3, 5 and 1, 4
      const Pixel expected =
          covered ? bmptest::CoordinatePixel(2 + (x - 1) % 2, 2 + (y - 1) % 3) : 0;
      EXPECT_EQ(canvas.At(x, y), expected) << x << "," << y;
    }
  TBitmap untouched(4, 4);
  skin::TileBitmap(untouched, {0, 0, 4, 4}, image, {3, 3, 3, 5});
  EXPECT_EQ(untouched.At(0, 0), 0u);
}

TEST(DrawNineSliceOnto, LeavesTheTargetWhereTheImageIsMagenta) {
  TBitmap image = bmptest::CoordinateImage(4, 4);
  image.At(0, 0) = fw::kMagentaPixel;
  image.At(3, 3) = fw::kMagentaPixel;
  TBitmap canvas(6, 6);
  canvas.Fill(0x123456);
  skin::DrawNineSliceOnto(canvas, {1, 1, 5, 5}, image, false, false, true, 1, 1, {});
  EXPECT_EQ(canvas.At(1, 1), 0x123456u);
  EXPECT_EQ(canvas.At(4, 4), 0x123456u);
  EXPECT_EQ(canvas.At(2, 1), bmptest::CoordinatePixel(1, 0));
  EXPECT_EQ(canvas.At(0, 0), 0x123456u);
  skin::DrawNineSliceOnto(canvas, {1, 1, 5, 5}, image, false, false, false, 1, 1, {});
  EXPECT_EQ(canvas.At(1, 1), fw::kMagentaPixel) << "opaque drawing copies magenta too";
  skin::DrawNineSliceOnto(canvas, {5, 5, 1, 1}, bmptest::CoordinateImage(4, 4), false, false, false,
                          1, 1, {});
  EXPECT_EQ(canvas.At(1, 1), fw::kMagentaPixel) << "an inverted rectangle draws nothing";
  skin::DrawNineSliceOnto(canvas, {0, 0, 6, 6}, TBitmap(), false, false, false, 1, 1, {});
  EXPECT_EQ(canvas.At(0, 0), 0x123456u) << "an empty image draws nothing";
}

} // namespace
