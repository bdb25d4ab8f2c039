// Recolouring, mirroring, flipping, rotating, disabled glyphs and copies, pixel by pixel.
#include "skin/data/core/bitmap_routines.h"
#include "test_bmp.h"

#include <gtest/gtest.h>

namespace {

using bmptest::CoordinateImage;
using bmptest::CoordinatePixel;
using fw::RgbPixel;
using fw::TBitmap;

TEST(ReplaceMagenta, ReplacesOnlyExactMagentaAndConvertsTo24Bits) {
  TBitmap b(4, 1, fw::TPixelFormat::pf8bit);
  b.At(0, 0) = RgbPixel(255, 0, 255);
  b.At(1, 0) = RgbPixel(254, 0, 255);
  b.At(2, 0) = RgbPixel(255, 1, 255);
  b.At(3, 0) = RgbPixel(255, 0, 254);
  skin::ReplaceMagenta(b, 0x332211); // red 0x11, green 0x22, blue 0x33
  EXPECT_EQ(b.At(0, 0), RgbPixel(0x11, 0x22, 0x33));
  EXPECT_EQ(b.At(1, 0), RgbPixel(254, 0, 255));
  EXPECT_EQ(b.At(2, 0), RgbPixel(255, 1, 255));
  EXPECT_EQ(b.At(3, 0), RgbPixel(255, 0, 254));
  EXPECT_EQ(b.PixelFormat(), fw::TPixelFormat::pf24bit);
}

TEST(MirrorAndFlip, ReverseRowsAndColumnsAndUndoThemselves) {
  const TBitmap original = CoordinateImage(5, 3);
  TBitmap mirrored = original;
  skin::MirrorHorizontal(mirrored);
  TBitmap flipped = original;
  skin::FlipVertical(flipped);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      EXPECT_EQ(mirrored.At(x, y), CoordinatePixel(4 - x, y));
      EXPECT_EQ(flipped.At(x, y), CoordinatePixel(x, 2 - y));
    }
  }
  skin::MirrorHorizontal(mirrored);
  skin::FlipVertical(flipped);
  EXPECT_EQ(bmptest::Describe(mirrored), bmptest::Describe(original));
  EXPECT_EQ(bmptest::Describe(flipped), bmptest::Describe(original));
}

TEST(Rotate, LeftAndRightMapCornersAndEveryPixel) {
  const int w = 4, h = 3;
  TBitmap left = CoordinateImage(w, h);
  skin::RotateLeft(left);
  ASSERT_EQ(left.Width(), h);
  ASSERT_EQ(left.Height(), w);
  // Counter-clockwise: the top-right corner comes to the top-left, top-left to bottom-left.
  EXPECT_EQ(left.At(0, 0), CoordinatePixel(w - 1, 0));
  EXPECT_EQ(left.At(0, w - 1), CoordinatePixel(0, 0));
  EXPECT_EQ(left.At(h - 1, w - 1), CoordinatePixel(0, h - 1));
  EXPECT_EQ(left.At(h - 1, 0), CoordinatePixel(w - 1, h - 1));

  TBitmap right = CoordinateImage(w, h);
  skin::RotateRight(right);
  ASSERT_EQ(right.Width(), h);
  // Clockwise: the top-left corner comes to the top-right, bottom-left to top-left.
  EXPECT_EQ(right.At(h - 1, 0), CoordinatePixel(0, 0));
  EXPECT_EQ(right.At(0, 0), CoordinatePixel(0, h - 1));
  EXPECT_EQ(right.At(0, w - 1), CoordinatePixel(w - 1, h - 1));
  EXPECT_EQ(right.At(h - 1, w - 1), CoordinatePixel(w - 1, 0));

  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      EXPECT_EQ(left.At(y, w - 1 - x), CoordinatePixel(x, y));
      EXPECT_EQ(right.At(h - 1 - y, x), CoordinatePixel(x, y));
    }

  skin::RotateRight(left);
  EXPECT_EQ(bmptest::Describe(left), bmptest::Describe(CoordinateImage(w, h)));
}

TEST(DisabledImage, EmbossesTheGlyphInHighlightAndShadowOnButtonFace) {
  TBitmap glyph(4, 4);
  glyph.Fill(fw::kMagentaPixel);
  glyph.At(1, 1) = RgbPixel(0, 0, 0);       // dark: part of the glyph
  glyph.At(2, 2) = RgbPixel(250, 250, 250); // light: background
  const skin::TDisabledColours colours{0x102030, 0x405060, 0x708090};
  const TBitmap d = skin::DisabledImage(glyph, colours);
  ASSERT_EQ(d.Width(), 4);
  EXPECT_EQ(d.At(1, 1), fw::PixelOf(colours.shadow));
  EXPECT_EQ(d.At(2, 2), fw::PixelOf(colours.highlight)) << "highlight one pixel down and right";
  EXPECT_EQ(d.At(0, 0), fw::PixelOf(colours.face));
  EXPECT_EQ(d.At(3, 3), fw::PixelOf(colours.face));
  EXPECT_EQ(glyph.At(1, 1), RgbPixel(0, 0, 0)) << "the source stays as it was";
}

TEST(CopyBitmap, CopiesSizeFormatAndPixels) {
  TBitmap source = CoordinateImage(3, 2);
  source.SetPixelFormat(fw::TPixelFormat::pf8bit);
  TBitmap target(9, 9);
  skin::CopyBitmap(source, target);
  EXPECT_EQ(target.PixelFormat(), fw::TPixelFormat::pf8bit);
  EXPECT_EQ(bmptest::Describe(target), bmptest::Describe(source));
}

} // namespace
