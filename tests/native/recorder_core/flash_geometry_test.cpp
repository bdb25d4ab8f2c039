#include "recorder/core/flash_geometry.h"

#include <gtest/gtest.h>

using namespace recorder;

namespace {
int CountMarkPixels(const FlashGeometry& g) {
  int n = 0;
  for (int y = g.outer.top; y < g.outer.bottom; ++y)
    for (int x = g.outer.left; x < g.outer.right; ++x)
      n += InCornerMarks(g, x, y);
  return n;
}
} // namespace

TEST(FlashGeometry, WindowSurroundsTheRectangle) {
  FlashGeometry g = PlaceAroundGeometry(100, 100, 200, 150);
  EXPECT_EQ(g.window, (Rect{92, 92, 92 + 216, 92 + 166}));
  EXPECT_EQ(g.areaLeft, 100);
  EXPECT_EQ(g.areaTop, 100);
  EXPECT_EQ(g.areaRight, 299);
  EXPECT_EQ(g.areaBottom, 249);
}

TEST(FlashGeometry, OnlyFourCornerMarksRemain) {
  FlashGeometry g = PlaceAroundGeometry(100, 100, 200, 150); // window 216 x 166
  // The rectangle itself shows through.
  for (int y = 8; y < 158; ++y)
    for (int x = 8; x < 208; ++x)
      ASSERT_FALSE(InCornerMarks(g, x, y)) << x << "," << y;
  // Top-left mark: 8 thick, 24 long.
  EXPECT_TRUE(InCornerMarks(g, 0, 0));
  EXPECT_TRUE(InCornerMarks(g, 23, 7));
  EXPECT_FALSE(InCornerMarks(g, 24, 7));
  EXPECT_TRUE(InCornerMarks(g, 7, 23));
  EXPECT_FALSE(InCornerMarks(g, 7, 24));
  // Bottom-right mark: 7 thick, arms 27 long (band ends at W - 11 = 189 and H - 11 = 139).
  EXPECT_TRUE(InCornerMarks(g, 215, 165));
  EXPECT_TRUE(InCornerMarks(g, 209, 165));
  EXPECT_FALSE(InCornerMarks(g, 208, 150));
  EXPECT_TRUE(InCornerMarks(g, 189, 159));
  EXPECT_FALSE(InCornerMarks(g, 188, 159));
  EXPECT_TRUE(InCornerMarks(g, 209, 139));
  EXPECT_FALSE(InCornerMarks(g, 209, 138));
  // Mark areas: 2 x (24*8 + 16*8) on the left/top corner, the others by the same rule.
  int topLeft = 24 * 8 + 16 * 8;
  int bottomRight = 27 * 7 + 20 * 7;
  int topRight = 27 * 8 + 16 * 7; // 8 rows at the top, 27 wide; 7-wide arm down to row 24
  int bottomLeft = 24 * 7 + 20 * 8;
  EXPECT_EQ(CountMarkPixels(g), topLeft + bottomRight + topRight + bottomLeft);
}

TEST(FlashGeometry, WholeScreenMarksLieOutside) {
  FlashGeometry g = PlaceAroundGeometry(0, 0, 1280, 1024);
  EXPECT_EQ(g.window, (Rect{-8, -8, 1288, 1032}));
  for (int y = 0; y < g.outer.bottom; ++y)
    for (int x = 0; x < g.outer.right; ++x) {
      bool onScreen = x >= 8 && x < 1288 && y >= 8 && y < 1032;
      if (onScreen) {
        ASSERT_FALSE(InCornerMarks(g, x, y)) << x << "," << y;
      }
    }
}

TEST(FlashGeometry, OnePixelWideRectangleHasNoFillableArea) {
  FlashGeometry g = PlaceAroundGeometry(50, 60, 1, 40);
  EXPECT_EQ(g.areaRight, g.areaLeft);
  EXPECT_GT(g.areaBottom, g.areaTop);
}
